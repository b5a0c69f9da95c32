// A row provider for the data-access stand-in: records every query the
// adapter makes and answers with the rows a test set per function. It
// registers itself for its lifetime.
#pragma once

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "zqdataaccess.h"

namespace fake {

class FakeDataAccess : public ZqDataProvider {
public:
    FakeDataAccess() { ZqDataAccessSetProvider(this); }
    ~FakeDataAccess() { ZqDataAccessSetProvider(nullptr); }
    FakeDataAccess(const FakeDataAccess&) = delete;
    FakeDataAccess& operator=(const FakeDataAccess&) = delete;

    ZqDataRows answer(const ZqDataCall& call) override {
        calls.push_back(call);
        auto it = answers.find(call.function);
        return it == answers.end() ? ZqDataRows() : it->second;
    }

    template <typename Row>
    void setRows(const std::string& function, const std::vector<Row>& rows, int32_t totalCount = 0,
                 bool lastPage = true) {
        ZqDataRows& answer = answers[function];
        answer.bytes.resize(rows.size() * sizeof(Row));
        if (!rows.empty()) std::memcpy(answer.bytes.data(), rows.data(), answer.bytes.size());
        answer.total_count = totalCount;
        answer.last_page = lastPage;
    }

    // The query record of the only call made, as its type.
    template <typename Query>
    Query onlyQuery() const {
        Query query{};
        if (calls.size() == 1 && calls[0].query.size() == sizeof query) {
            std::memcpy(&query, calls[0].query.data(), sizeof query);
        }
        return query;
    }

    std::map<std::string, ZqDataRows> answers;  // per function name
    std::vector<ZqDataCall> calls;
};

}  // namespace fake
