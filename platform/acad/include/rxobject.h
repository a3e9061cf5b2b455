#pragma once
// Runtime class information for the host's service objects: every object knows its class, and
// a class knows its parent, so a registry lookup can be cast safely.

class AcRxClass {
public:
    AcRxClass(const wchar_t* name, const AcRxClass* parent) : name_(name), parent_(parent) {}
    const wchar_t* name() const { return name_; }
    const AcRxClass* myParent() const { return parent_; }
    bool isDerivedFrom(const AcRxClass* other) const;

private:
    const wchar_t* name_;
    const AcRxClass* parent_;
};

class AcRxObject {
public:
    virtual ~AcRxObject() = default;
    static AcRxClass* desc();
    virtual AcRxClass* isA() const { return desc(); }
    bool isKindOf(const AcRxClass* cls) const { return isA()->isDerivedFrom(cls); }
};

// Declares desc(), isA() and cast() for a class derived from AcRxObject. cast() gives null for a
// null pointer or an object of another class, never a wrong pointer.
#define KESTREL_RX_DECLARE_MEMBERS(CLASS)                                                          \
    static AcRxClass* desc();                                                                      \
    AcRxClass* isA() const override {                                                              \
        return desc();                                                                             \
    }                                                                                              \
    static CLASS* cast(const AcRxObject* object) {                                                 \
        return object && object->isKindOf(desc())                                                  \
                   ? static_cast<CLASS*>(const_cast<AcRxObject*>(object))                          \
                   : nullptr;                                                                      \
    }

#define KESTREL_RX_DEFINE_MEMBERS(CLASS, PARENT)                                                   \
    AcRxClass* CLASS::desc() {                                                                     \
        static AcRxClass cls(L## #CLASS, PARENT::desc());                                          \
        return &cls;                                                                               \
    }
