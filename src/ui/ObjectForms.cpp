#include "ui/ObjectForms.h"

namespace penumbro::ui {

HouseForm::HouseForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("Haus_gen"));
}
void HouseForm::prepareNew() {}
void HouseForm::fill(const HousePanel&) {}
HousePanel HouseForm::fields() const { return {}; }
bool HouseForm::okEnabled() const { return false; }
void HouseForm::SpracheAnpassen(Language language) { language_ = language; }

TreeForm::TreeForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("Baum_gen"));
}
void TreeForm::fill(const TreePanel&) {}
void TreeForm::clearNumbers() {}
TreePanel TreeForm::fields() const { return {}; }
bool TreeForm::okEnabled() const { return false; }
void TreeForm::SpracheAnpassen(Language language) { language_ = language; }

SiteForm::SiteForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("GeografischeLage"));
}
void SiteForm::fill(const SiteValues&) {}
std::optional<SiteValues> SiteForm::values() const { return std::nullopt; }
void SiteForm::SpracheAnpassen(Language language) { language_ = language; }

ReflectanceForm::ReflectanceForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("Bodenreflexion_gen"));
}
void ReflectanceForm::fill(const MonthlyValues&) {}
std::optional<MonthlyValues> ReflectanceForm::values() const { return std::nullopt; }
void ReflectanceForm::SpracheAnpassen(Language language) { language_ = language; }

HorizonForm::HorizonForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("Horizont"));
}
void HorizonForm::fill(const std::vector<HorizonRow>&) {}
std::vector<HorizonRow> HorizonForm::rows() const { return {}; }
void HorizonForm::SpracheAnpassen(Language language) { language_ = language; }

}  // namespace penumbro::ui
