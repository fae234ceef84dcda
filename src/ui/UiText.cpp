#include "ui/UiText.h"

#include "project/Encoding.h"

#include <array>

namespace penumbro::ui {

QString fromCp1252(const std::string& bytes) { return QString::fromStdString(cp1252ToUtf8(bytes)); }

std::string toCp1252(const QString& text) { return utf8ToCp1252(text.toStdString()); }

QString tx(const Tx& text, char language) {
    QString s = fromCp1252(language == kEnglish ? text.en : text.de);
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

const std::string& monthName(int month, char language) {
    static const std::array<std::string, 12> german = {
        "Januar", "Februar", "M\xE4rz",  "April",   "Mai",      "Juni",
        "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    static const std::array<std::string, 12> english = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    const int i = (month >= 1 && month <= 12) ? month - 1 : 0;
    return language == kEnglish ? english[static_cast<std::size_t>(i)]
                                : german[static_cast<std::size_t>(i)];
}

}  // namespace penumbro::ui
