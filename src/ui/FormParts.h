#pragma once
// Pieces every window of the program builds with: widgets named as the tests and the
// style sheets find them, and the captions a window relabels when the language changes.

#include "ui/UiText.h"

#include <QString>

#include <initializer_list>
#include <utility>
#include <vector>

class QHBoxLayout;
class QObject;
class QTableWidget;
class QWidget;

namespace penumbro::ui {

template <class W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The captions of a window in both languages: every label, button, group box, menu and
// menu action, window title and table header registered here is relabelled
// by apply().
class CaptionTable {
public:
    // The visible text: a label's or button's text, a group box's or menu's title, an
    // action's text.
    template <class O>
    O* add(O* object, const Tx& text) {
        entries_.push_back({object, text, Role::Text, 0});
        return object;
    }
    template <class W>
    W* addTitle(W* window, const Tx& text) {
        entries_.push_back({window, text, Role::WindowTitle, 0});
        return window;
    }
    QTableWidget* addHeader(QTableWidget* table, int column, const Tx& text);
    void apply(Language language) const;

private:
    enum class Role { Text, WindowTitle, ColumnHeader };
    struct Entry {
        QObject* object;
        Tx text;
        Role role;
        int column;
    };
    std::vector<Entry> entries_;
};

// "x: [..]  y: [..]  z: [..]" and the like: short fixed labels before their fields,
// the rest of the row empty.
QHBoxLayout* labelledRow(std::initializer_list<std::pair<const char*, QWidget*>> fields);

// The buttons the panels share.
inline constexpr Tx kOkCaption{"OK", "OK"};
inline constexpr Tx kCancelCaption{"&Abbrechen", "&Cancel"};

}  // namespace penumbro::ui
