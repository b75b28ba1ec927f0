#pragma once
// An object that registers itself in the global list at the root of its tree, so that
// any object of the tree finds it by class name.

#include "core/object.h"

class CGlobal : public CObject {
public:
    static constexpr const char* kType = "CGlobal";
    explicit CGlobal(const LList<CObject>& parents);
    ~CGlobal() override;
    bool HasType(const str& t) const override;
};
