#include "listbox.h"

namespace tintwright {

ListBox::ListBox(QWidget* parent)
    : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
}

void ListBox::clearEntries() {
    clear();
    selectionModel()->clear();
}

void ListBox::appendEntry(const QString& text) {
    addItem(text);
}

void ListBox::removeEntry(int index) {
    if (index < 0 || index >= count()) {
        return;
    }
    const int selected = selectedIndex();
    delete takeItem(index);
    // Qt moves the selection onto a neighbour of the removed row; put it back where the
    // remaining entries say it belongs.
    if (selected == index || selected < 0) {
        selectionModel()->clear();
    } else {
        setSelectedIndex(selected > index ? selected - 1 : selected);
    }
}

QString ListBox::entryText(int index) const {
    return item(index)->text();
}

void ListBox::replaceEntryText(int index, const QString& text) {
    item(index)->setText(text);
}

int ListBox::selectedIndex() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListBox::setSelectedIndex(int index) {
    if (index < 0 || index >= count()) {
        selectionModel()->clear();
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

void ListBox::refresh() {
    viewport()->update();
}

std::vector<std::string> ListBox::entries() const {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(count()));
    for (int row = 0; row < count(); ++row) {
        texts.push_back(item(row)->text().toStdString());
    }
    return texts;
}

} // namespace tintwright
