#include "whereexpr.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace zqhost {

struct WhereExpr::Node {
    enum class Kind { And, Or, Compare } kind = Kind::Compare;
    std::unique_ptr<Node> left, right;
    // A comparison: each side a parameter name or a value.
    std::string op;
    std::string lhs, rhs;
    bool lhsName = false, rhsName = false;
};

namespace {

using Node = WhereExpr::Node;

struct Token {
    enum class Kind { Word, Value, Op, Open, Close, End } kind;
    std::string text;
    std::size_t column;
};

bool tokenize(const std::string& text, std::vector<Token>& tokens, std::string& error) {
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        std::size_t column = i + 1;
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '(' || c == ')') {
            tokens.push_back({c == '(' ? Token::Kind::Open : Token::Kind::Close, std::string(1, c), column});
            ++i;
        } else if (c == '\'' || c == '"') {
            std::size_t end = text.find(c, i + 1);
            if (end == std::string::npos) return error = "--where: unclosed quote at column " + std::to_string(column), false;
            tokens.push_back({Token::Kind::Value, text.substr(i + 1, end - i - 1), column});
            i = end + 1;
        } else if (std::string("<>=!").find(c) != std::string::npos) {
            std::size_t length = i + 1 < text.size() && text[i + 1] == '=' ? 2 : 1;
            std::string op = text.substr(i, length);
            if (op == "!") return error = "--where: '!' must be '!=' at column " + std::to_string(column), false;
            tokens.push_back({Token::Kind::Op, op == "=" ? "==" : op, column});
            i += length;
        } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '-' || c == '+') {
            std::size_t end = i;
            while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) ||
                                         std::string("_.-+").find(text[end]) != std::string::npos))
                ++end;
            std::string word = text.substr(i, end - i);
            char* stop = nullptr;
            std::strtod(word.c_str(), &stop);
            bool isNumber = !*stop;
            bool isValue = isNumber || word == "true" || word == "false";
            tokens.push_back({isValue ? Token::Kind::Value : Token::Kind::Word, word, column});
            i = end;
        } else {
            return error = std::string("--where: unexpected '") + c + "' at column " + std::to_string(column), false;
        }
    }
    tokens.push_back({Token::Kind::End, "", text.size() + 1});
    return true;
}

class Parser {
public:
    Parser(const std::vector<Token>& tokens, const std::set<std::string>& names, std::string& error)
        : tokens_(tokens), names_(names), error_(error) {}

    std::unique_ptr<Node> whole() {
        auto node = either();
        if (node && peek().kind != Token::Kind::End) return fail("expected 'and', 'or' or the end");
        return node;
    }

private:
    const Token& peek() const { return tokens_[at_]; }
    std::unique_ptr<Node> fail(const std::string& what) {
        const Token& t = peek();
        error_ = "--where: " + what + " at column " + std::to_string(t.column) +
                 (t.kind == Token::Kind::End ? " (the end)" : " ('" + t.text + "')");
        return nullptr;
    }
    bool isWord(const char* word) const { return peek().kind == Token::Kind::Word && peek().text == word; }

    std::unique_ptr<Node> join(Node::Kind kind, std::unique_ptr<Node> left, std::unique_ptr<Node> right) {
        auto node = std::make_unique<Node>();
        node->kind = kind;
        node->left = std::move(left);
        node->right = std::move(right);
        return node;
    }

    std::unique_ptr<Node> either() {
        auto left = both();
        while (left && isWord("or")) {
            ++at_;
            auto right = both();
            if (!right) return nullptr;
            left = join(Node::Kind::Or, std::move(left), std::move(right));
        }
        return left;
    }

    std::unique_ptr<Node> both() {
        auto left = term();
        while (left && isWord("and")) {
            ++at_;
            auto right = term();
            if (!right) return nullptr;
            left = join(Node::Kind::And, std::move(left), std::move(right));
        }
        return left;
    }

    std::unique_ptr<Node> term() {
        if (peek().kind == Token::Kind::Open) {
            ++at_;
            auto inner = either();
            if (!inner) return nullptr;
            if (peek().kind != Token::Kind::Close) return fail("expected ')'");
            ++at_;
            return inner;
        }
        auto node = std::make_unique<Node>();
        if (!operand(node->lhs, node->lhsName)) return nullptr;
        if (peek().kind != Token::Kind::Op) return fail("expected a comparison (< <= > >= == !=)");
        node->op = tokens_[at_++].text;
        if (!operand(node->rhs, node->rhsName)) return nullptr;
        return node;
    }

    bool operand(std::string& text, bool& isName) {
        const Token& t = peek();
        if (t.kind == Token::Kind::Word && (t.text == "and" || t.text == "or")) return fail("expected a name or a value"), false;
        if (t.kind == Token::Kind::Word && !names_.count(t.text)) return fail("no swept parameter is named so"), false;
        if (t.kind != Token::Kind::Word && t.kind != Token::Kind::Value) return fail("expected a name or a value"), false;
        text = t.text;
        isName = t.kind == Token::Kind::Word;
        ++at_;
        return true;
    }

    const std::vector<Token>& tokens_;
    const std::set<std::string>& names_;
    std::string& error_;
    std::size_t at_ = 0;
};

bool asNumber(const std::string& text, double& out) {
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return !text.empty() && !*end && std::isfinite(out);
}

template <typename T>
bool compare(const T& a, const std::string& op, const T& b) {
    if (op == "<") return a < b;
    if (op == "<=") return a <= b;
    if (op == ">") return a > b;
    if (op == ">=") return a >= b;
    if (op == "==") return a == b;
    return a != b;
}

bool evaluate(const Node& node, const std::map<std::string, std::string>& values) {
    if (node.kind == Node::Kind::And) return evaluate(*node.left, values) && evaluate(*node.right, values);
    if (node.kind == Node::Kind::Or) return evaluate(*node.left, values) || evaluate(*node.right, values);
    auto side = [&](const std::string& text, bool isName) {
        if (!isName) return text;
        auto it = values.find(text);
        return it == values.end() ? std::string() : it->second;
    };
    std::string a = side(node.lhs, node.lhsName), b = side(node.rhs, node.rhsName);
    double x, y;
    if (asNumber(a, x) && asNumber(b, y)) return compare(x, node.op, y);
    return compare(a, node.op, b);
}

}  // namespace

WhereExpr::WhereExpr() = default;
WhereExpr::~WhereExpr() = default;
WhereExpr::WhereExpr(WhereExpr&&) noexcept = default;
WhereExpr& WhereExpr::operator=(WhereExpr&&) noexcept = default;

bool WhereExpr::parse(const std::string& text, const std::set<std::string>& names, std::string& error) {
    root_.reset();
    std::vector<Token> tokens;
    if (!tokenize(text, tokens, error)) return false;
    if (tokens.size() == 1) return true;
    root_ = Parser(tokens, names, error).whole();
    return root_ != nullptr;
}

bool WhereExpr::keeps(const std::map<std::string, std::string>& values) const {
    return !root_ || evaluate(*root_, values);
}

}  // namespace zqhost
