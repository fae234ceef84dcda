#include "ui/FormParts.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>

namespace penumbro::ui {

namespace {

void setText(QObject* object, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(object)) label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(object)) button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(object)) group->setTitle(text);
    else if (auto* menu = qobject_cast<QMenu*>(object)) menu->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(object)) action->setText(text);
}

}  // namespace

QTableWidget* CaptionTable::addHeader(QTableWidget* table, int column, const Tx& text) {
    entries_.push_back({table, text, Role::ColumnHeader, column});
    return table;
}

void CaptionTable::apply(Language language) const {
    for (const auto& [object, text, role, column] : entries_) {
        const QString t = tx(text, language);
        switch (role) {
        case Role::Text: setText(object, t); break;
        case Role::WindowTitle: static_cast<QWidget*>(object)->setWindowTitle(t); break;
        case Role::ColumnHeader: {
            auto* table = static_cast<QTableWidget*>(object);
            QTableWidgetItem* item = table->horizontalHeaderItem(column);
            if (!item) table->setHorizontalHeaderItem(column, item = new QTableWidgetItem);
            item->setText(t);
            break;
        }
        }
    }
}

QHBoxLayout* labelledRow(std::initializer_list<std::pair<const char*, QWidget*>> fields) {
    auto* row = new QHBoxLayout;
    for (const auto& [label, field] : fields) {
        row->addWidget(new QLabel(QString::fromLatin1(label)));
        row->addWidget(field);
    }
    row->addStretch();
    return row;
}

}  // namespace penumbro::ui
