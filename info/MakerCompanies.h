// The maker's two companies, one per page of the information window, in page order.
#pragma once

#include <array>

namespace maker_companies {

struct Company {
    const char* name;
    const char* street;
    const char* town;  // postcode and town with the country prefix
    const char* phone;
    const char* fax;
};

inline constexpr std::array<Company, 2> Pages = {{
    {"Quenzel AG", "Am Lindenhang 17", "D-65999 Kesselbach", "+49 (0)69 90009 410",
     "+49 (0)69 90009 419"},
    {"Quenzel BV", "Molensingel 42", "NL-9999 ZZ Veendijk", "+49 (0)40 66969 410",
     "+49 (0)40 66969 419"},
}};

}  // namespace maker_companies
