#include "ui/FormParts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

namespace penumbro::ui {

void CaptionTable::apply(Language language) const {
    for (const auto& [widget, text] : entries_) {
        const QString t = tx(text, language);
        if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(t);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(t);
        else if (auto* group = qobject_cast<QGroupBox*>(widget)) group->setTitle(t);
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
