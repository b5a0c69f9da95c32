#include "host/accounttype.h"

const char* accountTypeName(int32_t accountType) {
    switch (accountType) {
    case 1: return "stock";
    case 2: return "stock_margin";
    case 3: return "futures";
    case 4: return "open_fund";
    case 5: return "option";
    default: return "unknown";
    }
}
