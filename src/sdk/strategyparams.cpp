#include "norq/strategyparams.h"

#include "sdk/handle.h"
#include "sdk/strategyparamsimpl.h"

namespace Norq {

namespace {

QByteArray textOrEmpty(const char* text) {
    return text ? QByteArray(text) : QByteArray();
}

ParamDefinition definition(const char* name, QVariant value, const char* desc, const char* type) {
    ParamDefinition d;
    d.name = textOrEmpty(name);
    d.value = std::move(value);
    d.desc = textOrEmpty(desc);
    d.type = type;
    return d;
}

}  // namespace

NORQ_DEFINE_HANDLE(StrategyParams)

void StrategyParams::addBoolParam(const char* name, bool value, const char* desc) {
    contentOf(impl).add(definition(name, value, desc, "bool"));
}

void StrategyParams::addFloatParam(const char* name, double value, const char* desc) {
    contentOf(impl).add(definition(name, value, desc, "float"));
}

void StrategyParams::addIntParam(const char* name, int value, const char* desc) {
    contentOf(impl).add(definition(name, value, desc, "int"));
}

void StrategyParams::addStrParam(const char* name, const char* value, const char* desc) {
    contentOf(impl).add(definition(name, textOrEmpty(value), desc, "string"));
}

void StrategyParams::addListParam(const char* name, const char* items, int defaultIndex, const char* desc) {
    ParamDefinition d = definition(name, textOrEmpty(items), desc, "list");
    d.index = defaultIndex;
    contentOf(impl).add(std::move(d));
}

void StrategyParams::addTableParam(const char* name, const char* table, const char* desc) {
    ParamDefinition d = definition(name, QVariant(), desc, "table");
    d.index = 0;
    d.table = textOrEmpty(table);
    contentOf(impl).add(std::move(d));
}

ZqString StrategyParams::getStrategyParams() const {
    return ZqString(impl ? impl->schema().constData() : "{}");
}

void StrategyParams::setParams(const ZqString& params) {
    contentOf(impl).json = params.str();
}

void StrategyParams::preHandle() const {
    if (impl) impl->preHandle();
}

bool StrategyParams::getBoolValue(const char* key) {
    return contentOf(impl).getBoolValue(key);
}

double StrategyParams::getFloatValue(const char* key) {
    return contentOf(impl).getFloatValue(key);
}

int StrategyParams::getIntValue(const char* key) {
    return contentOf(impl).getIntValue(key);
}

ZqString StrategyParams::getStrValue(const char* key) {
    return ZqString(contentOf(impl).getStrValue(key).constData());
}

}  // namespace Norq
