// The host application's services, as the adapter library calls them. The
// host owns the object and hands its pointer to IZqScriptAdapter::SetHostServices.
// Slot positions are the binary interface: the Reserved slots keep the used
// ones at their numbers. All texts are NUL-terminated UTF-8. The library calls
// these from whatever thread runs the strategy and holds no lock around them.
#pragma once

#include <cstdint>
#include <string>

#include "zq/hostresult.h"

namespace zq {

// clang-format off
class HostServices {
public:
    // A JSON request (compact, one root key "params") under a request code.
    virtual int32_t Request(int32_t code, const char* json, HostResult* result) = 0;  // 0
    virtual void Reserved1() {}                                                        // 1
    virtual void Reserved2() {}                                                        // 2
    virtual void Reserved3() {}                                                        // 3
    virtual void Reserved4() {}                                                        // 4
    virtual void Reserved5() {}                                                        // 5
    virtual void WriteLog(int32_t level, int32_t line, const char* file, const char* function,
                          const char* text, int32_t displayLevel, const char* userLog,
                          bool userFlag) = 0;                                          // 6
    virtual void Reserved7() {}                                                        // 7
    virtual void CleanUserLog(const char* name) = 0;                                   // 8
    virtual int32_t Subscribe(int32_t dataCode, const char* json) = 0;                 // 9
    virtual int32_t Unsubscribe(int32_t dataCode, const char* json) = 0;               // 10
    virtual void UnsubscribeAll() = 0;                                                 // 11
    virtual void Reserved12() {}                                                       // 12
    // Fills `out`, an area of kSnapshotSize bytes, with the symbol's snapshot.
    virtual void GetSnapshot(const char* symbol, void* out) = 0;                       // 13
    virtual void Reserved14() {}                                                       // 14
    virtual void Reserved15() {}                                                       // 15
    virtual void Reserved16() {}                                                       // 16
    virtual void Reserved17() {}                                                       // 17
    virtual void Reserved18() {}                                                       // 18
    virtual void Reserved19() {}                                                       // 19
    virtual void Reserved20() {}                                                       // 20
    virtual void RegisterUserLog(const char* name, const char* file) = 0;              // 21
    // The account id for an account-type name; empty when there is none.
    virtual std::string GetAccountId(const char* accountTypeName) = 0;                 // 22
    // The instance id of the running strategy.
    virtual std::string GetInstanceId() = 0;                                           // 23
    // One host order record of kOrderRecordSize bytes; 0 = accepted.
    virtual int32_t SubmitOrder(const void* record, HostResult* result) = 0;           // 24
    // A binary request buffer under a request code; 0 = accepted.
    virtual int32_t SubmitBuffer(int32_t code, const void* buffer, int32_t length,
                                 HostResult* result) = 0;                              // 25
    // Added to every periodic timer at each tick.
    virtual int32_t GetTickLength() = 0;                                               // 26
    // IZqContext::forwardToHost's three values, unchanged; the answer goes back.
    virtual intptr_t Forward(intptr_t a, intptr_t b, intptr_t c) = 0;                  // 27
    virtual intptr_t PassToHost(intptr_t value, intptr_t extra) = 0;                   // 28
    // INorqSysApi::getTextFromHost's values, unchanged; the text goes to `out`.
    virtual void GetText(std::string& out, intptr_t a, intptr_t b, bool flag) = 0;     // 29
};
// clang-format on

constexpr int32_t kSnapshotSize = 1304;
constexpr int32_t kOrderRecordSize = 240;

}  // namespace zq
