// The content behind a StrategyParams handle: the current JSON text and the
// definitions added since the schema was last built.
#pragma once

#include <QByteArray>
#include <QVariant>
#include <cstdint>
#include <vector>

namespace Norq {

struct ParamDefinition {
    QByteArray name;
    QVariant value;  // invalid for tables
    QByteArray desc;
    QByteArray type;
    int32_t index = -1;  // lists: the default index; tables: 0
    QByteArray table;
};

class StrategyParamsImpl {
public:
    void add(ParamDefinition definition);
    // Builds the schema from the pending definitions (consuming them) and
    // returns the current JSON text.
    QByteArray schema();
    void preHandle() const;

    bool getBoolValue(const char* key) const;
    double getFloatValue(const char* key) const;
    int getIntValue(const char* key) const;
    QByteArray getStrValue(const char* key) const;

    QByteArray json = "{}";
    std::vector<ParamDefinition> definitions;
};

}  // namespace Norq
