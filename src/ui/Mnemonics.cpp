#include "ui/Mnemonics.h"

#include <QAbstractButton>
#include <QList>
#include <QWidget>

namespace penumbro::ui {

QChar mnemonicOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&')) continue;
        if (caption.at(i + 1) == QLatin1Char('&')) {
            ++i;  // "&&" is a literal ampersand
            continue;
        }
        return caption.at(i + 1).toLower();
    }
    return {};
}

namespace {

void collect(QWidget* parent, const std::function<bool(const QWidget*)>& ownScope, QList<QAbstractButton*>& buttons,
             QList<QWidget*>& scopes) {
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow()) continue;
        if (ownScope && ownScope(w)) {
            scopes << w;
            continue;
        }
        if (auto* b = qobject_cast<QAbstractButton*>(w)) buttons << b;
        collect(w, ownScope, buttons, scopes);
    }
}

// The caption with "&" before its first letter not in taken, word starts first; the
// caption unchanged when every letter is taken.
QString withMnemonic(const QString& caption, QString& taken) {
    for (const bool wordStart : {true, false}) {
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar c = caption.at(i);
            if (!c.isLetter()) continue;
            if (wordStart && i > 0 && caption.at(i - 1).isLetterOrNumber()) continue;
            if (taken.contains(c.toLower())) continue;
            taken += c.toLower();
            return QString(caption).insert(i, QLatin1Char('&'));
        }
    }
    return caption;
}

void scope(QWidget* root, const std::function<bool(const QWidget*)>& ownScope, QString taken) {
    QList<QAbstractButton*> buttons;
    QList<QWidget*> inner;
    collect(root, ownScope, buttons, inner);
    for (QAbstractButton* b : buttons) {
        const QChar m = mnemonicOf(b->text());
        if (!m.isNull()) taken += m;
    }
    for (QAbstractButton* b : buttons) {
        const QString text = b->text();
        if (text.isEmpty() || !mnemonicOf(text).isNull() || text.contains(QLatin1Char('&'))) continue;
        b->setText(withMnemonic(text, taken));
    }
    for (QWidget* w : inner) scope(w, ownScope, taken);
}

}  // namespace

void giveMnemonics(QWidget* root, const std::function<bool(const QWidget*)>& ownScope, const QString& taken) {
    scope(root, ownScope, taken.toLower());
}

}  // namespace penumbro::ui
