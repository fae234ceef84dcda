#include "ui/UiText.h"

#include "project/Encoding.h"
#include "project/InputError.h"


namespace penumbro::ui {

QString fromCp1252(const std::string& bytes) { return QString::fromStdString(cp1252ToUtf8(bytes)); }

std::string toCp1252(const QString& text) { return utf8ToCp1252(text.toStdString()); }

QString tx(const Tx& text, Language language) {
    QString s = fromCp1252(language == Language::English ? text.en : text.de);
    s.replace(QLatin1String("\r"), QLatin1String("\n"));
    return s;
}

QString fromPath(const std::string& path) { return QString::fromLocal8Bit(path.c_str()); }

std::string toPath(const QString& path) { return path.toLocal8Bit().toStdString(); }

QString fromMessage(const std::string& text) {
    QString utf8 = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (!utf8.contains(QChar::ReplacementCharacter)) return utf8;
    return fromCp1252(text);
}

QString errorMessage(const std::exception& error, Language language) {
    if (const auto* input = dynamic_cast<const InputError*>(&error)) return fromMessage(input->render(language));
    return fromMessage(error.what());
}

}  // namespace penumbro::ui
