// The transfer rule shared by the SDK's handle classes (SymbolList,
// StrategyParams, the record lists): copying moves the implementation object
// to the destination and leaves the source holding none.
#pragma once

namespace Norq {

template <typename Impl>
Impl* takeFrom(Impl*& source) {
    Impl* taken = source;
    source = nullptr;
    return taken;
}

// Assignment: destroys the target's own content first. Assigning a handle
// to itself keeps its content.
template <typename Impl>
void assignFrom(Impl*& target, Impl*& source) {
    if (&target == &source) return;
    delete target;
    target = takeFrom(source);
}

// A handle whose content was transferred away gets fresh, empty content
// rather than crashing the strategy that goes on using it.
template <typename Impl>
Impl& contentOf(Impl*& impl) {
    if (!impl) impl = new Impl;
    return *impl;
}

}  // namespace Norq

// The five lifecycle members of a handle class `Class` over `Class##Impl`.
#define NORQ_DEFINE_HANDLE(Class)                       \
    Class::Class() : impl(new Class##Impl) {}           \
    Class::Class(Class& o) : impl(takeFrom(o.impl)) {}  \
    Class::Class(Class&& o) : impl(takeFrom(o.impl)) {} \
    Class& Class::operator=(Class& o) {                 \
        assignFrom(impl, o.impl);                       \
        return *this;                                   \
    }                                                   \
    Class::~Class() {                                   \
        delete impl;                                    \
        impl = nullptr;                                 \
    }
