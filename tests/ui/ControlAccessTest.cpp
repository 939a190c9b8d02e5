// Reaching controls by name, the by-name actions the batch tool uses, and what a list
// accepts as text.

#include <set>

#include <gtest/gtest.h>

#include "FormTestSupport.h"

namespace linelab {
namespace {

TEST(ControlNames, EveryNameIsUniqueAndLeadsBackToItsControl) {
    const auto names = ControlNames();
    const auto controls = AllControls();
    ASSERT_EQ(names.size(), controls.size());
    EXPECT_EQ(std::set<std::string_view>(names.begin(), names.end()).size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto found = FindControl(names[i]);
        ASSERT_TRUE(found.has_value()) << names[i];
        EXPECT_EQ(*found, controls[i]) << names[i];
        EXPECT_EQ(NameOf(controls[i]), names[i]);
    }
}

TEST(ControlNames, WindowNamesResolveToTheirKinds) {
    const std::pair<const char*, ControlKind> cases[] = {
        {"cmbData", ControlKind::List},           {"cmbCode(0)", ControlKind::List},
        {"cmbCode(1)", ControlKind::List},        {"lblPCkHz(1)", ControlKind::Label},
        {"lblFreq(3)", ControlKind::Label},       {"chkTxEye", ControlKind::CheckBox},
        {"hscSample", ControlKind::Slider},       {"cmdPause", ControlKind::Button},
        {"picRxEye", ControlKind::Picture},       {"lneHint(7)", ControlKind::Decoration},
        {"lneHint(19)", ControlKind::Decoration}, {"shpTx", ControlKind::Decoration},
        {"imgLogo", ControlKind::Decoration},     {"Timer1", ControlKind::Timer}};
    for (const auto& [name, kind] : cases) {
        const auto found = FindControl(name);
        ASSERT_TRUE(found.has_value()) << name;
        EXPECT_EQ(found->kind, kind) << name;
    }
    for (const char* bad : {"", "cmbCode", "cmbCode(2)", "lneHint(20)", "cmbdata", "Timer1 "})
        EXPECT_FALSE(FindControl(bad).has_value()) << bad;
    EXPECT_EQ(*FindControl("lblPCkHz(1)"), ControlRef(LabelId::lblPCkHz1));
    EXPECT_EQ(*FindControl("picRxEye"), ControlRef(PictureId::picRxEye));
}

TEST(ControlActions, ByNameActionsRefuseWrongKindsAndUnknownNames) {
    Form1 form;
    const std::string before = test::Dump(form);
    EXPECT_FALSE(form.SetText("chkData", "1"));
    EXPECT_FALSE(form.SetText("nothing", "1"));
    EXPECT_FALSE(form.SetValue("cmbData", 1));
    EXPECT_FALSE(form.SetValue("lblBER", 1));
    EXPECT_FALSE(form.PickItem("cmbData", 7));
    EXPECT_FALSE(form.PickItem("cmbData", -1));
    EXPECT_FALSE(form.PickItem("hscSample", 0));
    EXPECT_FALSE(form.Click("cmbData"));
    EXPECT_FALSE(form.Click("lblCoding"));
    EXPECT_FALSE(form.Click("Timer1"));
    EXPECT_FALSE(form.Click("shpTx"));
    EXPECT_EQ(test::Dump(form), before);
}

TEST(ControlActions, ByNameActionsReachTheirHandlers) {
    Form1 form;
    ASSERT_TRUE(form.PickItem("cmbCode(0)", 2));
    EXPECT_EQ(form.List(ListId::cmbCode1).text, "Manchester");
    ASSERT_TRUE(form.SetValue("vscTxEyeScale", 50));
    EXPECT_EQ(form.Views().dTxEyeScale, 3.0);
    ASSERT_TRUE(form.SetValue("chkLinear", 1));
    EXPECT_EQ(form.Check(CheckId::chkLinear).caption, "Linear Plot");
    ASSERT_TRUE(form.Click("chkLinear"));  // a click turns a check box over
    EXPECT_EQ(form.Check(CheckId::chkLinear).value, 0);
    EXPECT_EQ(form.Check(CheckId::chkLinear).caption, "Log Plot");
    EXPECT_TRUE(form.Click("picData"));  // a strip has a click that does nothing
    EXPECT_TRUE(form.Click("lblBER"));
}

TEST(ListText, AnyTextUpToTheLimitIsTakenLongerIsRefused) {
    Form1 form;
    const std::string atLimit(kMaxListText, '9');
    EXPECT_TRUE(form.SetText("cmbNoise", atLimit));
    EXPECT_EQ(form.List(ListId::cmbNoise).text, atLimit);
    EXPECT_FALSE(form.SetText("cmbNoise", atLimit + "9"));
    EXPECT_EQ(form.List(ListId::cmbNoise).text, atLimit);
    const std::string odd[] = {std::string("1\0"
                                           "2",
                                           3),
                               "\xff\xfe",
                               "  -0.5e",
                               "\n\t",
                               "",
                               "1e400",
                               "-1e400",
                               "nan",
                               "inf"};
    for (const std::string& text : odd) {
        EXPECT_TRUE(form.SetText("cmbTxModPC(0)", text));
        EXPECT_EQ(form.List(ListId::cmbTxModPC1).text, text);
    }
}

}  // namespace
}  // namespace linelab
