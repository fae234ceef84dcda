#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace penumbro::ui {

namespace {
// The translator lives as a child of the application, found again by this name.
const char* const kTranslatorName = "penumbroQtTranslations";
}  // namespace

bool installQtTranslations(Language language) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    if (auto* old = app->findChild<QTranslator*>(QString::fromLatin1(kTranslatorName), Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    if (language == Language::English) return true;
    auto* translator = new QTranslator(app);
    translator->setObjectName(QString::fromLatin1(kTranslatorName));
    if (!translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

}  // namespace penumbro::ui
