// The --where filter of a sweep: comparisons of parameters with each other
// or with values, joined by `and` and `or`, with parentheses:
//   short_window<long_window and (period=='kline_1m' or long_window<=40)
// Operators: < <= > >= == (or =) !=. Two numbers compare as numbers,
// anything else as text; a text in quotes is a value, a bare word a
// parameter name (true and false are values). Nothing else is evaluated.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

namespace zqhost {

class WhereExpr {
public:
    WhereExpr();
    ~WhereExpr();
    WhereExpr(WhereExpr&&) noexcept;
    WhereExpr& operator=(WhereExpr&&) noexcept;

    // An empty text keeps every set. False with the reason (and the column)
    // in `error` when the text is malformed or names a parameter not in `names`.
    bool parse(const std::string& text, const std::set<std::string>& names, std::string& error);
    bool keeps(const std::map<std::string, std::string>& values) const;

    struct Node;

private:
    std::unique_ptr<Node> root_;
};

}  // namespace zqhost
