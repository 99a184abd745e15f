// Intrusive reference counting shared by every toolkit object. A new object
// holds one reference; `remember` adds one, `forget` drops one and deletes
// the object when none is left.
#pragma once

namespace VSTGUI {

class CReferenceCounter {
public:
    CReferenceCounter() = default;
    CReferenceCounter(const CReferenceCounter&) = delete;
    CReferenceCounter& operator=(const CReferenceCounter&) = delete;
    virtual ~CReferenceCounter() = default;

    virtual void remember() { ++nbReference_; }
    virtual void forget() {
        if (--nbReference_ == 0) delete this;
    }
    int getNbReference() const { return nbReference_; }

private:
    int nbReference_ = 1;
};

}  // namespace VSTGUI
