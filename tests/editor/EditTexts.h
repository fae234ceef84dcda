#pragma once
// Small project texts for the editor tests, written out as the generators write
// them, so the tests do not depend on the generators themselves.

#include "project/ProjectText.h"

#include <initializer_list>
#include <string>

namespace penumbro::testtexts {

inline void append(Lines& out, const Lines& more) { out.insert(out.end(), more.begin(), more.end()); }

// A plain four-corner surface with local lines and a placement line.
inline Lines flaeche(const std::string& name, bool target = false, const std::string& azimut = "180.000",
                     const std::string& elevation = "45.000") {
    Lines l{name};
    if (target) l.push_back("Target");
    append(l, {"4", "# 0.000000 0.000000 0.000000", "# 4.000000 0.000000 0.000000",
               "# 4.000000 0.000000 3.000000", "# 0.000000 0.000000 3.000000",
               "# " + azimut + "  " + elevation + "  12.000  12.000  5.000", "12.000000 12.000000 5.000000",
               "16.000000 12.000000 5.000000", "16.000000 14.121320 7.121320", "12.000000 14.121320 7.121320"});
    return l;
}

inline Lines vertices(int n) {
    Lines l{std::to_string(n)};
    for (int i = 0; i < n; ++i) l.push_back(std::to_string(i) + ".000000 1.000000 2.000000");
    return l;
}

// A tree of 60 lines; an empty name leaves the "#Baum:" tag out.
inline Lines baum(const std::string& name, bool tag = true) {
    Lines l{"Baum", "Belaubung  50 50100100100100100100100100 50 50",
            "#   1.000    1.000    2.400    0.000    0.000    0.000" + (tag ? "     #Baum: " + name : "")};
    append(l, vertices(8));
    for (const char* n : {"Baum1", "Baum2", "Baum3"}) {
        l.push_back(n);
        append(l, vertices(8));
    }
    for (const char* n : {"Stamm", "Stamm1", "Stamm2"}) {
        l.push_back(n);
        append(l, vertices(4));
    }
    return l;
}

// A house of 42 lines.
inline Lines haus(const std::string& name, bool tag = true) {
    Lines l{"Frontseite", "#  13.000    5.000    7.000    3.000   90.000    4.000    5.000    0.000" +
                              (tag ? "     #Haus: " + name : "")};
    append(l, vertices(4));
    for (const char* n : {"R\xFC" "ckseite", "L\xE4" "ngsseite 1", "L\xE4" "ngsseite 2"}) {
        l.push_back(n);
        append(l, vertices(4));
    }
    l.push_back("Dach Giebelseite Front");
    append(l, vertices(3));
    for (const char* n : {"Dachl\xE4" "ngsseite 1", "Dachl\xE4" "ngsseite 2"}) {
        l.push_back(n);
        append(l, vertices(4));
    }
    return l;
}

// A whole project: comment, count line, the objects, site and reflectance.
inline Lines projekt(std::initializer_list<Lines> objekte, int flaechen) {
    Lines l{"* Test", std::to_string(flaechen)};
    for (const auto& o : objekte) append(l, o);
    append(l, {"Standort", "51.0 -8.0 -1.0", "Bodenreflexion", " 40 40 30 20 20 20 20 20 20 20 30 40"});
    return l;
}

}  // namespace penumbro::testtexts
