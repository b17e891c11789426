// Property lists: whatever a file holds, what is read writes back to a text that reads the same.
#include "trk/Trk_PropertiesList.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Trk_PropertiesList first;
    first.readFromText(std::string_view(reinterpret_cast<const char*>(data), size));
    Trk_PropertiesList second;
    if (second.readFromText(first.toText()) != 0) std::abort();
    if (second.names() != first.names()) std::abort();
    for (const auto& name : first.names()) {
        Trk_String a, b;
        if (!first.getString(name, a) || !second.getString(name, b) || a != b) std::abort();
        Trk_StringArray items;
        (void)first.getStringArray(name, items);
        int i = 0;
        double d = 0;
        bool flag = false;
        (void)first.getInt(name, i);
        (void)first.getDouble(name, d);
        (void)first.getBool(name, flag);
    }
    return 0;
}
