#pragma once
// TOnline_Ausgabe: the online output page. It walks through the year instant by
// instant (step and selector buttons) and shows the engine's own picture of the
// shadow on the target, the shading and the directions of sun and target. The walk
// itself is the core's OnlineSession; this window only shows it.

#include "project/Language.h"
#include "simulation/OnlineSession.h"
#include "ui/FormParts.h"

#include <QImage>
#include <QWidget>

class QAbstractButton;
class QAction;
class QGroupBox;
class QLabel;

namespace penumbro::ui {

struct AppState;
class Dialogs;
class TKompass;
class TNeigung;

class TOnline_Ausgabe : public QWidget {
    Q_OBJECT
public:
    TOnline_Ausgabe(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);

    void SpracheAnpassen(Language language);
    // The switch to the online mode: compiles the project text as it stands (unsaved
    // edits included) for the online view and restarts the walk. False, after a
    // message naming the cause, when the text cannot be computed.
    bool NeuStart();
    void SpeedButtonWeiterClick(OnlineStep step);
    // A selector button, by its name: "Monat3", "Tag31", "Stunde0", "Minute59".
    void SpeedButtonsClick(const QString& name);
    void Wertanzeige();
    // The picture's pop-up menu.
    void copyPictureClick();
    void savePictureClick();

    const OnlineSession& session() const { return session_; }
    // The picture as shown: the engine's pixels, with the no-sun message written on it.
    const QImage& picture() const { return picture_; }

private:
    void showPicture();

    AppState& state_;
    Dialogs& dialogs_;
    Language language_ = Language::German;
    OnlineSession session_;
    QImage picture_;

    QLabel* zeichenfenster;
    QWidget* stepPanel_;
    QList<QAbstractButton*> monthButtons_;   // Monat1..12
    QList<QAbstractButton*> dayButtons_;     // Tag1..31
    QList<QAbstractButton*> hourButtons_;    // Stunde0..23
    QList<QAbstractButton*> minuteButtons_;  // Minute0..59
    CaptionTable captions_;
    QList<QLabel*> values_;  // the eight values
    QLabel* percent_;
    TKompass* sunCompass_;
    TNeigung* sunTilt_;
    TKompass* targetCompass_;
    TNeigung* targetTilt_;
};

}  // namespace penumbro::ui
