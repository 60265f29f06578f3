// The process-wide default settings that the exchange file fills: shape
// size, default room and level names, units and the version text.
#pragma once

#include <string>

struct ExchangeSettings {
    int shapeWidth = 200;
    int shapeHeight = 300;
    std::string defaultRoom = "Hall";
    std::string defaultLevel = "Main";
    bool metric = false;
    std::string version = "0.0";
};

// The one set of settings of this process.
ExchangeSettings& GetExchangeSettings();
// Back to the defaults above (the tables of the exchange file are reset apart).
void ResetExchangeSettings();
