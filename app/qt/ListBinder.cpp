#include "app/qt/ListBinder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "ui/Form1.h"

namespace linelab {
namespace {

bool SameItems(const QComboBox& combo, const std::vector<std::string>& items) {
    if (combo.count() != static_cast<int>(items.size())) return false;
    for (int i = 0; i < combo.count(); ++i) {
        if (combo.itemText(i).toStdString() != items[static_cast<std::size_t>(i)]) return false;
    }
    return true;
}

}  // namespace

ListBinder::ListBinder(Form1& form, const ControlWidgets& widgets,
                       std::function<void()> afterAction)
    : form_(form), widgets_(widgets), afterAction_(std::move(afterAction)) {}

void ListBinder::Connect() {
    for (int i = 0; i < CountOf<ListId>(); ++i) {
        const auto id = static_cast<ListId>(i);
        QComboBox* combo = widgets_.List(id);
        QObject::connect(combo, &QComboBox::activated, combo,
                         [this, id](int index) { Picked(id, index); });
        if (QLineEdit* edit = combo->lineEdit()) {
            QObject::connect(edit, &QLineEdit::editingFinished, combo, [this, id] { Typed(id); });
        }
    }
}

void ListBinder::Picked(ListId id, int index) {
    form_.PickItem(id, index);
    Sync(id);  // the model may have refused or rewritten the choice
    afterAction_();
}

void ListBinder::Typed(ListId id) {
    const std::string text = widgets_.List(id)->currentText().toStdString();
    // Leaving a box without changing it is no change; a pick already reached the model.
    if (text != form_.List(id).text) form_.SetText(id, text);
    // The scene box shows the scene that is laid out, never a text that names none.
    if (id == ListId::cmbScene) form_.ShowSceneName();
    Sync(id);
    if (typedHook_) typedHook_(id, text);
    afterAction_();
}

void ListBinder::Sync(ListId id) {
    const ListControl& list = form_.List(id);
    QComboBox* combo = widgets_.List(id);
    const QSignalBlocker blockCombo(combo);
    const QSignalBlocker blockEdit(combo->lineEdit());
    if (!SameItems(*combo, list.items)) {
        combo->clear();
        for (const std::string& item : list.items)
            combo->addItem(QString::fromStdString(item));
    }
    const int index = list.ListIndex();
    if (combo->currentIndex() != index) combo->setCurrentIndex(index);
    const QString text = QString::fromStdString(list.text);
    if (combo->isEditable() && combo->currentText() != text) combo->setEditText(text);
}

}  // namespace linelab
