// A panel table with one panel more than the program's: the chain puts the new panel in its
// stage's cell of its kind, the page's layout lists it, and the desktop lays out every scene
// with every shown picture placed, the new one too, none over another.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLayout>
#include <QWidget>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/qt/ChainLayout.h"
#include "app/qt/ControlWidgets.h"
#include "app/qt/PicturePanel.h"
#include "ui/ChainTable.h"
#include "ui/Form1.h"
#include "ui/PanelFrames.h"
#include "ui/PanelTable.h"
#include "web/Session.h"

namespace linelab {
namespace {

struct ExtraCase {
    const char* name;
    PanelKind kind;
    PanelStage stage;
    SceneCells scenes;
};
void PrintTo(const ExtraCase& c, std::ostream* os) {
    *os << c.name;
}

// The real table and one panel more, named "chk" and "pic" + the case's name; its ids lie
// beyond the program's, as a new row's would before its enumerators exist.
struct ExtendedTable {
    explicit ExtendedTable(const ExtraCase& c)
        : check(std::string("chk") + c.name), picture(std::string("pic") + c.name) {
        rows.assign(kPanelTable.begin(), kPanelTable.end());
        PanelDescriptor extra{};
        extra.panel = static_cast<PanelId>(kPanelCount);
        extra.check = CheckId::Count;
        extra.picture = PictureId::Count;
        extra.kind = c.kind;
        extra.stage = c.stage;
        extra.title = c.name;
        extra.scenes = c.scenes;
        extra.checkName = check;
        extra.pictureName = picture;
        rows.push_back(extra);
    }
    const PanelDescriptor& Extra() const { return rows.back(); }

    std::string check;
    std::string picture;
    std::vector<PanelDescriptor> rows;
};

// How many rows of the chain hold `name`, and the cell of the last.
int RowsHolding(const Chain& chain, std::string_view name, const ChainCell** in = nullptr) {
    int count = 0;
    for (const ChainCell& cell : chain.Cells())
        for (const ChainRow& row : cell.rows)
            for (const std::string_view control : row.controls)
                if (control == name) {
                    ++count;
                    if (in != nullptr) *in = &cell;
                }
    return count;
}

// Whether the layout (or one inside it) holds the widget: placed, not just left where it was.
bool Holds(const QLayout* layout, const QWidget* widget) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == widget) return true;
        if (item->layout() != nullptr && Holds(item->layout(), widget)) return true;
    }
    return false;
}

std::string_view RoleOf(PanelKind kind) {
    return kind == PanelKind::Strip ? "strips" : kind == PanelKind::Eye ? "eye" : "spectrum";
}

class ExtraPanelTest : public ::testing::TestWithParam<ExtraCase> {};

TEST_P(ExtraPanelTest, TheChainHoldsEveryPanelOnceAndTheNewOneInItsCell) {
    const ExtendedTable table(GetParam());
    const Chain chain(table.rows);
    for (const PanelDescriptor& panel : table.rows) {
        SCOPED_TRACE(panel.pictureName);
        EXPECT_EQ(RowsHolding(chain, panel.checkName), 1);
        EXPECT_EQ(RowsHolding(chain, panel.pictureName), 1);
    }
    const ChainCell* cell = nullptr;
    RowsHolding(chain, table.picture, &cell);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->role, RoleOf(GetParam().kind));
    const bool strip = GetParam().kind == PanelKind::Strip;
    EXPECT_EQ(cell->stage, strip ? "Output" : StageName(static_cast<int>(GetParam().stage)));
}

TEST_P(ExtraPanelTest, ThePagesLayoutListsTheNewPanel) {
    const ExtendedTable table(GetParam());
    const Chain chain(table.rows);
    const auto layout = nlohmann::json::parse(web::ChainLayoutJson(chain, table.rows));
    ASSERT_EQ(layout["panels"].size(), table.rows.size());
    const auto& extra = layout["panels"][table.picture];
    EXPECT_EQ(extra["check"], table.check);
    EXPECT_EQ(extra["kind"],
              RoleOf(GetParam().kind) == "strips" ? "strip" : RoleOf(GetParam().kind));
    EXPECT_GT(extra["width"].get<int>(), 0);
    EXPECT_NE(layout["switches"][table.check].get<std::string>(), "");
    int placed = 0;
    for (const auto& cell : layout["cells"])
        for (const auto& row : cell["rows"])
            for (const auto& name : row)
                placed += name == table.picture;
    EXPECT_EQ(placed, 1);
}

// Each scene laid out by the desktop's chain layout: the model's controls shown as the model
// shows them, the new panel as its scene cells say.
TEST_P(ExtraPanelTest, TheDesktopLaysOutEverySceneWithEveryShownPictureApart) {
    const ExtendedTable table(GetParam());
    const Chain chain(table.rows);
    Form1 form;
    QWidget area;
    const ControlWidgets widgets = CreateControlWidgets(form, &area);
    auto* check = new QCheckBox(QString::fromStdString(table.check), &area);
    auto* picture = new PicturePanel(&area);
    ChainLayout layout(&area, widgets, form, chain);
    layout.AddNamed(table.check, check);
    layout.AddNamed(table.picture, picture);
    area.resize(1280, 800);
    area.show();
    for (int scene = 0; scene < kSceneCount; ++scene) {
        SCOPED_TRACE("scene " + std::to_string(scene));
        ASSERT_TRUE(form.ApplyScene(scene));
        for (const ControlRef control : AllControls())
            if (QWidget* widget = widgets.WidgetOf(control))
                widget->setVisible(form.Visible(control));
        picture->setVisible(ShownIn(table.Extra(), scene));
        check->setVisible(BoxShownIn(table.Extra(), scene));
        layout.Build();
        area.resize(area.layout()->minimumSize().expandedTo(QSize(1280, 800)));
        area.layout()->activate();
        QApplication::processEvents();
        std::vector<const QWidget*> shown;
        for (const PanelDescriptor& panel : table.rows) {
            const QWidget* widget =
                &panel == &table.Extra() ? picture : widgets.Picture(panel.picture);
            if (widget->isHidden()) continue;
            EXPECT_TRUE(Holds(area.layout(), widget)) << panel.pictureName;
            EXPECT_TRUE(area.rect().contains(widget->geometry())) << panel.pictureName;
            EXPECT_FALSE(widget->geometry().isEmpty()) << panel.pictureName;
            for (const QWidget* other : shown)
                EXPECT_FALSE(widget->geometry().intersects(other->geometry()))
                    << panel.pictureName << " and " << other->objectName().toStdString();
            shown.push_back(widget);
        }
        EXPECT_EQ(picture->isHidden(), !ShownIn(table.Extra(), scene));
    }
}

using namespace scene;

INSTANTIATE_TEST_SUITE_P(
    Extra, ExtraPanelTest,
    ::testing::Values(
        ExtraCase{"Scrambled",
                  PanelKind::Strip,
                  PanelStage::Transmitter,
                  {_, YOn, _, YOn, BOn, BOn, BOn}},
        ExtraCase{
            "Descrambled", PanelKind::Strip, PanelStage::Receiver, {_, _, _, _, BOn, BOn, BOn}},
        ExtraCase{"LineEye", PanelKind::Eye, PanelStage::Channel, {_, _, BOn, BOn, _, _, BOn}},
        ExtraCase{
            "FilterEye", PanelKind::Eye, PanelStage::Transmitter, {_, _, _, _, BOn, BOn, BOn}},
        ExtraCase{"DecisionSpectrum",
                  PanelKind::Spectrum,
                  PanelStage::Receiver,
                  {_, _, _, _, BOn, BOn, BOn}}),
    [](const ::testing::TestParamInfo<ExtraCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace linelab
