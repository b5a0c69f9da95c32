// A strategy's running parameters: the definitions it declares (turned into
// the schema JSON the host shows in its dialog) and, once the user has chosen,
// the values as a JSON object of name -> value.
#pragma once

#include "norq/export.h"
#include "norq/zqstring.h"

namespace Norq {

class StrategyParamsImpl;

// Copying transfers the content, as for SymbolList.
class NORQ_EXPORT StrategyParams {
public:
    StrategyParams();
    StrategyParams(StrategyParams& o);
    StrategyParams(StrategyParams&& o);
    StrategyParams& operator=(StrategyParams& o);
    ~StrategyParams();

    // Each add does nothing for a null or empty name; a null desc is empty.
    void addBoolParam(const char* name, bool value, const char* desc);
    void addFloatParam(const char* name, double value, const char* desc);
    void addIntParam(const char* name, int value, const char* desc);
    void addStrParam(const char* name, const char* value, const char* desc);
    // items: entries separated by ",", empty entries kept.
    void addListParam(const char* name, const char* items, int defaultIndex, const char* desc);
    void addTableParam(const char* name, const char* table, const char* desc);

    // Builds the schema from the pending definitions (consuming them), then
    // returns the current JSON text; "{}" for a new object.
    ZqString getStrategyParams() const;
    void setParams(const ZqString& params);
    // Logs warnings for schema entries a started instance cannot honour.
    void preHandle() const;

    // Failure results: false, -1.0, -1 and the empty text.
    bool getBoolValue(const char* key);
    double getFloatValue(const char* key);
    int getIntValue(const char* key);
    ZqString getStrValue(const char* key);

private:
    StrategyParamsImpl* impl;
};

}  // namespace Norq
