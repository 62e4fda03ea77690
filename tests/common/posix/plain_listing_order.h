// The listing order by its definition, for the tests to hold the listing against: a plain sort of
// (upper-case form, name), the names given as the system gives them.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "common/lower_case.h"
#include "common/text_codec.h"

namespace lyrics::testing {

inline std::vector<std::wstring> PlainListingOrder(const std::vector<std::string>& names) {
    std::vector<std::pair<std::wstring, std::wstring>> keyed;
    for (const std::string& name : names) {
        std::wstring text = DecodeUtf8Lenient(name);
        keyed.emplace_back(UpperCase(text), std::move(text));
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::wstring> order;
    for (auto& [upper, text] : keyed) order.push_back(std::move(text));
    return order;
}

}  // namespace lyrics::testing
