#include "ui/SurfaceForms.h"

namespace penumbro::ui {

RectangleForm::RectangleForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("Rechteck"));
}
void RectangleForm::prepareNew() {}
RectanglePanel RectangleForm::fields() const { return {}; }
bool RectangleForm::okEnabled() const { return false; }
void RectangleForm::SpracheAnpassen(Language language) { language_ = language; }

PolygonForm::PolygonForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("n_Eck"));
}
void PolygonForm::prepareNew() {}
void PolygonForm::prepareOverhang(int) {}
void PolygonForm::fill(const PolygonPanel&) {}
void PolygonForm::fill(const OverhangPanel&) {}
bool PolygonForm::overhangMode() const { return false; }
PolygonPanel PolygonForm::polygonFields() const { return {}; }
OverhangPanel PolygonForm::overhangFields() const { return {}; }
bool PolygonForm::okEnabled() const { return false; }
void PolygonForm::SpracheAnpassen(Language language) { language_ = language; }

TargetChooser::TargetChooser(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("GroupBoxTargetF"));
}
void TargetChooser::fill(const std::vector<TargetChoice>&) {}
void TargetChooser::SpracheAnpassen(Language language) { language_ = language; }

}  // namespace penumbro::ui
