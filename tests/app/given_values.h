// The values a level's text gives its rooms' dimensions, each as
// "room: what it measures = value" (its handle left out: a room read back
// may number its dimensions anew), in the order of the text.
#pragma once

#include <map>
#include <string>
#include <vector>

inline std::vector<std::string> GivenValues(const std::string& text)
{
    std::vector<std::string> given;
    std::map<std::string, std::string> measured;
    std::string room;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end;
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.rfind('<', 0) == 0 && line.find(" body=") != std::string::npos) {
            room = line.substr(1, line.find(' ') - 1);
            measured.clear();
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0)
            continue;
        const std::string target = line.substr(0, equals), statement = line.substr(equals + 1);
        if (statement.rfind("Value(", 0) == 0)
            given.push_back(room + ": " + measured[target] + " = " + statement.substr(6, statement.size() - 7));
        else
            measured[target] = statement;
    }
    return given;
}
