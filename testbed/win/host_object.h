// The base of every object the testbed's host hands to the plug-in. It counts
// AddRef and Release (the object itself belongs to the testbed and is never
// freed by them), answers QueryInterface for its interface and IUnknown, and
// counts calls of the slots the plug-in must never use.
#pragma once

#include <windows.h>

#include <atomic>

#include "plugin/win/pdk.h"

namespace ulvo::testbed {

template <class Interface>
class HostObject : public Interface {
  public:
    explicit HostObject(const GUID& interfaceId_) : interfaceId(interfaceId_) {}
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID asked, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (IsEqualGUID(asked, interfaceId) || IsEqualGUID(asked, P3D::kIidUnknown)) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        ++addRefs;
        return static_cast<ULONG>(1 + Outstanding());
    }
    ULONG STDMETHODCALLTYPE Release() override {
        ++releases;
        return static_cast<ULONG>(1 + Outstanding());
    }

    // References the plug-in took and has not given back.
    long Outstanding() const { return addRefs - releases; }
    long AddRefs() const { return addRefs; }
    // Calls of slots the plug-in must never use.
    long UnusedSlotCalls() const { return unusedSlotCalls; }

  protected:
    void UnusedSlotCalled() { ++unusedSlotCalls; }

  private:
    GUID interfaceId;
    std::atomic<long> addRefs{0};
    std::atomic<long> releases{0};
    std::atomic<long> unusedSlotCalls{0};
};

}  // namespace ulvo::testbed

// Implements the placeholder slot UnusedSlot<number> of a host interface; a use
// ends in a semicolon, as a declaration does.
#define TESTBED_UNUSED_SLOT(number)                        \
    void STDMETHODCALLTYPE UnusedSlot##number() override { \
        UnusedSlotCalled();                                \
    }
// Implements four placeholder slots.
#define TESTBED_UNUSED_SLOTS(a, b, c, d) \
    TESTBED_UNUSED_SLOT(a) TESTBED_UNUSED_SLOT(b) TESTBED_UNUSED_SLOT(c) TESTBED_UNUSED_SLOT(d)
