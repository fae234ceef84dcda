#pragma once
// One input panel of the scene editor. The editor shows one at a time; a generator
// panel comes with the editor's OK/Cancel panel, the site, reflectance and horizon
// panels carry their own OK and cancel buttons. A panel holds field texts only: the
// editor turns them into lines through the same editor functions the CLI uses.

#include "project/Language.h"
#include "ui/FormParts.h"

#include <QGroupBox>

namespace penumbro::ui {

class Dialogs;

class EditorForm : public QGroupBox {
    Q_OBJECT
public:
    // Whether the panel's fields allow OK (OKBtn for generator panels, the panel's own
    // OK button otherwise; the panel keeps its own OK button in step itself).
    virtual bool okEnabled() const = 0;
    // Why OK stays disabled, naming the field and what it takes; empty when it is enabled.
    virtual QString okReason() const { return {}; }
    // All captions in the language: the panel's caption table, then those that follow
    // the panel's state or are not widgets' texts.
    void SpracheAnpassen(Language language) {
        language_ = language;
        captions_.apply(language);
        relabelOthers(language);
    }

signals:
    // A field changed (typing, a click on a control, a filled grid).
    void changed();
    // The panel's own OK and cancel buttons (site, reflectance, horizon panels).
    void okClicked();
    void cancelClicked();

protected:
    EditorForm(Dialogs& dialogs, QWidget* parent) : QGroupBox(parent), dialogs_(dialogs) {}
    virtual void relabelOthers(Language) {}

    Dialogs& dialogs_;
    Language language_ = Language::German;
    CaptionTable captions_;
};

}  // namespace penumbro::ui
