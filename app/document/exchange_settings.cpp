#include "exchange_settings.h"

namespace {
ExchangeSettings gSettings;
}

ExchangeSettings& GetExchangeSettings() { return gSettings; }

void ResetExchangeSettings() { gSettings = ExchangeSettings(); }
