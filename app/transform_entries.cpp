#include "app/transform_entries.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace {

bool readNumber(const std::string& text, double& value)
{
    const char* start = text.c_str();
    char* end = nullptr;
    value = std::strtod(start, &end);
    if (end == start)
        return false;
    while (std::isspace(static_cast<unsigned char>(*end)))
        ++end;
    return *end == '\0' && std::isfinite(value);
}

struct Entry {
    const char* name;
    const std::string* text;
    double* value;
};

} // namespace

std::string readTransformEntries(const TransformEntries& entries, TransformValues& values)
{
    TransformValues read;
    read.setPosition = entries.setPosition;
    const Entry position[] = {
        {"Position x", &entries.positionX, &read.positionX},
        {"Position y", &entries.positionY, &read.positionY},
    };
    const Entry change[] = {
        {"Move x", &entries.moveX, &read.moveX},
        {"Move y", &entries.moveY, &read.moveY},
        {"Rotate", &entries.degrees, &read.degrees},
        {"Scale x", &entries.scaleX, &read.scaleX},
        {"Scale y", &entries.scaleY, &read.scaleY},
    };
    const Entry* list = entries.setPosition ? position : change;
    const size_t count = entries.setPosition ? std::size(position) : std::size(change);
    for (size_t i = 0; i < count; ++i)
        if (!readNumber(*list[i].text, *list[i].value))
            return std::string(list[i].name) + ": enter a number.";
    if (!entries.setPosition && (read.scaleX == 0 || read.scaleY == 0))
        return "A scale of 0% would collapse the selection; enter another scale.";
    values = read;
    return std::string();
}
