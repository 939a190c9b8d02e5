// The two-way binding: a user's change reaches the model exactly once, a change made by
// the model shows in the widget and never comes back as a second change.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <ostream>

#include "WindowFixture.h"

namespace linelab {
namespace {


class BindingTest : public WindowFixture {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        PickScene(kStraight);
        Model().AttachCanvas(PictureId::picTxEye, &txEye_);
        Model().AttachCanvas(PictureId::picRxEye, &rxEye_);
    }

    void Type(ListId id, const QString& text) {
        QLineEdit* edit = W().List(id)->lineEdit();
        ASSERT_NE(edit, nullptr) << NameOf(id);
        edit->setFocus();
        edit->selectAll();
        edit->insert(text);  // as typing or pasting does, within the box's length limit
        QTest::keyClick(edit, Qt::Key_Return);
    }

    CountingCanvas txEye_;  // declared before the window goes: outlives its attachment
    CountingCanvas rxEye_;
};

TEST_F(BindingTest, APickReachesTheModelOncePerPick) {
    Pick(ListId::cmbData, 2);
    EXPECT_EQ(Model().List(ListId::cmbData).text, "PRBS Length 7");
    EXPECT_EQ(txEye_.clears, 1);
    Pick(ListId::cmbData, 2);  // picking the same item again is a click of its own
    EXPECT_EQ(txEye_.clears, 2);
}

struct TypedCase {
    const char* typed;
    const char* modelText;

    friend void PrintTo(const TypedCase& c, std::ostream* os) { *os << c.typed; }
};

class TypedTextTest : public BindingTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedTextTest, ReachesTheModelOnce) {
    Type(ListId::cmbTxBW0, QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(Model().List(ListId::cmbTxBW0).text, GetParam().modelText);
    EXPECT_EQ(txEye_.clears, 1);
    // Leaving the box afterwards is no second change.
    W().List(ListId::cmbData)->setFocus();
    EXPECT_EQ(txEye_.clears, 1);
}

INSTANTIATE_TEST_SUITE_P(Texts, TypedTextTest,
                         ::testing::Values(TypedCase{"0.35", "0.35"},  // not an item
                                           TypedCase{"2", "2"}),       // one of the items
                         [](const auto& info) {
                             return info.index == 0 ? std::string("NewNumber")
                                                    : std::string("ListItem");
                         });

TEST_F(BindingTest, TypedTextOfAnyKindIsSafe) {
    const QString noise = QString(300, QLatin1Char('9')) + QStringLiteral("e999 \u00e9\u4e2d<b>");
    Type(ListId::cmbTxBW0, noise);
    EXPECT_LE(Model().List(ListId::cmbTxBW0).text.size(), kMaxListText);
    EXPECT_EQ(W().List(ListId::cmbTxBW0)->currentText().toStdString(),
              Model().List(ListId::cmbTxBW0).text);
    Type(ListId::cmbTxModPC0, QStringLiteral("-1e308"));
    Ticks(2);  // the run copes with whatever the boxes hold
    EXPECT_EQ(W().List(ListId::cmbTxModPC0)->currentText().toStdString(),
              Model().List(ListId::cmbTxModPC0).text);
}

TEST_F(BindingTest, ACascadeUpdatesTheReceiversWidgetWithoutASecondChange) {
    Pick(ListId::cmbCode0, 2);
    EXPECT_EQ(Model().List(ListId::cmbCode1).text, "Manchester");
    EXPECT_EQ(W().List(ListId::cmbCode1)->currentText(), QStringLiteral("Manchester"));
    EXPECT_EQ(rxEye_.clears, 1);  // the receiver's handler ran once, from the cascade
}

TEST_F(BindingTest, TheModelsOwnChangesDoNotComeBack) {
    ASSERT_TRUE(Model().SetText(ListId::cmbData, "All Ones"));
    EXPECT_EQ(W().List(ListId::cmbData)->currentText(), QStringLiteral("All Ones"));
    EXPECT_EQ(txEye_.clears, 1);

    rxEye_.clears = 0;
    ASSERT_TRUE(Model().SetSliderValue(SliderId::hscSample, 7));
    EXPECT_EQ(W().Slider(SliderId::hscSample)->value(), 7);
    EXPECT_EQ(rxEye_.clears, 1);
}

TEST_F(BindingTest, AFormatChangeRefillsTheWidgetsLists) {
    Pick(ListId::cmbMod0, 4);  // "AMI" takes only a full-width pulse
    QComboBox* width = W().List(ListId::cmbTxModPC0);
    ASSERT_EQ(width->count(), static_cast<int>(Model().List(ListId::cmbTxModPC0).items.size()));
    EXPECT_EQ(width->count(), 1);
    EXPECT_EQ(W().List(ListId::cmbMod1)->currentText(), QStringLiteral("AMI"));
    EXPECT_EQ(W().Slider(SliderId::vscThreshold)->value(),
              Model().Slider(SliderId::vscThreshold).value);
}

TEST_F(BindingTest, AUsersSliderMoveReachesTheModelOnce) {
    W().Slider(SliderId::hscSample)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Model().Slider(SliderId::hscSample).value, 1);
    EXPECT_EQ(rxEye_.clears, 1);
}

TEST_F(BindingTest, TheThresholdSliderShowsWhereTheModelKeepsIt) {
    Pick(ListId::cmbMod0, 4);  // two thresholds: the slider never rests at its end
    W().Slider(SliderId::vscThreshold)->setValue(100);
    EXPECT_EQ(Model().Slider(SliderId::vscThreshold).value, 99);
    EXPECT_EQ(W().Slider(SliderId::vscThreshold)->value(), 99);
}

TEST_F(BindingTest, ACheckBoxClickReachesTheModelAndItsCaptionComesBack) {
    PickScene(2);  // the spectrum options are shown only with the transmit filter
    QTest::mouseClick(W().Check(CheckId::chkLinear), Qt::LeftButton);
    EXPECT_EQ(Model().Check(CheckId::chkLinear).value, 1);
    EXPECT_EQ(W().Check(CheckId::chkLinear)->text(), QStringLiteral("Linear Plot"));
    QTest::mouseClick(W().Check(CheckId::chkMemory), Qt::LeftButton);
    EXPECT_EQ(W().Check(CheckId::chkMemory)->palette().color(QPalette::WindowText),
              QColor(0, 128, 0));
}

}  // namespace
}  // namespace linelab
