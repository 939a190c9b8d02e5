// The panel table: one row per panel, in the order of the panel ids, whose check box and
// picture are the same panel's, and whose texts are there for a front end to show.

#include <gtest/gtest.h>

#include <string>

#include "ui/PanelFrames.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

TEST(PanelTable, EachRowIsOnePanelsCheckBoxAndPicture) {
    for (std::size_t i = 0; i < kPanelTable.size(); ++i) {
        const PanelDescriptor& d = kPanelTable[i];
        SCOPED_TRACE(NameOf(d.picture));
        EXPECT_EQ(static_cast<std::size_t>(d.panel), i);
        EXPECT_EQ(std::string(NameOf(d.check)).substr(3), std::string(NameOf(d.picture)).substr(3));
        EXPECT_FALSE(d.checkTip.empty() || d.pictureTip.empty());
        EXPECT_EQ(DescriptorOf(d.check), &d);
        EXPECT_EQ(DescriptorOf(d.picture), &d);
    }
    EXPECT_EQ(DescriptorOf(CheckId::chkInvert), nullptr);
}

// Each kind's id leads back to its row, and every panel has the texts its frame needs.
TEST(PanelTable, KindIdsAndTextsFollowTheRows) {
    for (const PanelDescriptor& d : kPanelTable) {
        SCOPED_TRACE(NameOf(d.picture));
        const PanelId back = d.kind == PanelKind::Strip ? PanelOf(StripPanel(d.kindIndex))
                             : d.kind == PanelKind::Eye ? PanelOf(EyePanel(d.kindIndex))
                                                        : PanelOf(SpectrumPanel(d.kindIndex));
        EXPECT_EQ(back, d.panel);
        EXPECT_NE(SwitchText(d.check), "");
        EXPECT_EQ(d.kind == PanelKind::Strip, !StripTitle(d.picture).empty());
    }
}

// The controls a row places beside and under its panel and those its hint arrows join are
// controls of the window, and the names of its own check box and picture are theirs.
TEST(PanelTable, EveryNameInARowIsAControl) {
    for (const PanelDescriptor& d : kPanelTable) {
        SCOPED_TRACE(NameOf(d.picture));
        EXPECT_EQ(d.checkName, NameOf(d.check));
        EXPECT_EQ(d.pictureName, NameOf(d.picture));
        for (const PanelNames* names : {&d.beside, &d.under, &d.from, &d.next})
            for (const std::string_view name : *names)
                EXPECT_TRUE(name.empty() || FindControl(name).has_value()) << name;
    }
}

}  // namespace
}  // namespace linelab
