#include "ui/FormParts.h"

#include <QAbstractButton>
#include <QGroupBox>
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

}  // namespace penumbro::ui
