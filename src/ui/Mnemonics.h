#pragma once
// Keyboard access for buttons whose caption brings no mnemonic of its own.

#include <QString>

#include <functional>

class QWidget;

namespace penumbro::ui {

// The lower-case mnemonic letter of a caption ("&Datei" gives 'd'), null when none.
QChar mnemonicOf(const QString& caption);

// Gives every button below root (other windows excepted) that has no mnemonic one of
// its caption's letters, word starts first, that no other button of its scope uses.
// A widget for which ownScope is true starts a scope of its own: the buttons in it may
// share letters with those of other such widgets (only one of them is shown at a time),
// never with those outside. taken: letters reserved from the start (the menu bar's).
void giveMnemonics(QWidget* root, const std::function<bool(const QWidget*)>& ownScope = {},
                   const QString& taken = QString());

}  // namespace penumbro::ui
