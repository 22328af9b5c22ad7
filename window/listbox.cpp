#include "listbox.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace tintwright {
namespace {

// Marks the current row, when it is not selected, with a thin frame only: styles fill it
// with a tint of the selection colour, and then a row would look selected when none is.
class FocusFrameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (!(option.state & QStyle::State_HasFocus) || (option.state & QStyle::State_Selected)) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem plain = option;
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, plain, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Highlight));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

} // namespace

ListBox::ListBox(QWidget* parent)
    : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new FocusFrameDelegate(this));
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

std::vector<std::string> ListBox::entries() const {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(count()));
    for (int row = 0; row < count(); ++row) {
        texts.push_back(item(row)->text().toStdString());
    }
    return texts;
}

} // namespace tintwright
