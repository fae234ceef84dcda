#pragma once
// Pieces every window of the program builds with: widgets named as the tests and the
// style sheets find them, and the captions a window relabels when the language changes.

#include "ui/UiText.h"

#include <QString>

#include <initializer_list>
#include <utility>
#include <vector>

class QHBoxLayout;
class QWidget;

namespace penumbro::ui {

template <class W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The captions of a window in both languages: every label, button and group box
// registered here is relabelled by apply().
class CaptionTable {
public:
    template <class W>
    W* add(W* widget, const Tx& text) {
        entries_.emplace_back(widget, text);
        return widget;
    }
    void apply(Language language) const;

private:
    std::vector<std::pair<QWidget*, Tx>> entries_;
};

// "x: [..]  y: [..]  z: [..]" and the like: short fixed labels before their fields,
// the rest of the row empty.
QHBoxLayout* labelledRow(std::initializer_list<std::pair<const char*, QWidget*>> fields);

// The buttons the panels share.
inline constexpr Tx kOkCaption{"OK", "OK"};
inline constexpr Tx kCancelCaption{"&Abbrechen", "&Cancel"};

}  // namespace penumbro::ui
