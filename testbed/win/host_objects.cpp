#include "win/host_objects.h"

#include <algorithm>

#include "win/guid_text.h"

namespace ulvo::testbed {

namespace {

bool SameGuid(const GUID& a, const GUID& b) {
    return IsEqualGUID(a, b) != FALSE;
}

}  // namespace

HostParameterList::HostParameterList(P3D::IPdk* provider_, std::vector<UINT64> values_)
    : HostObject(GuidFromText(L"075551E8-0885-4711-9F7F-A6EB6A61DA6C")),
      provider(provider_),
      values(std::move(values_)) {}

P3D::IPdk* STDMETHODCALLTYPE HostParameterList::GetServiceProvider() {
    return provider;
}

P3D::P3DParameter* STDMETHODCALLTYPE HostParameterList::GetParameter(P3D::P3DParameter* result,
                                                                     UINT32 index) {
    if (result != nullptr) {
        result->Value = index < values.size() ? values[index] : 0;
    }
    return result;
}

UINT32 STDMETHODCALLTYPE HostParameterList::GetCount() {
    return static_cast<UINT32>(values.size());
}

HostEventService::HostEventService()
    : HostObject(GuidFromText(L"5B3BAC47-D372-4A51-A666-D0BC839484C7")) {}

HRESULT STDMETHODCALLTYPE HostEventService::RegisterCallback(REFGUID eventId,
                                                             P3D::ICallbackV400* callback) {
    records.push_back(Record{true, eventId, callback});
    if (callback == nullptr) {
        return E_POINTER;
    }
    callback->AddRef();
    registered.push_back(Held{eventId, callback});
    held.push_back(Held{eventId, callback});
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HostEventService::UnregisterCallback(REFGUID eventId,
                                                               P3D::ICallbackV400* callback) {
    records.push_back(Record{false, eventId, callback});
    const auto found = std::find_if(registered.begin(), registered.end(), [&](const Held& entry) {
        return entry.callback == callback && SameGuid(entry.eventId, eventId);
    });
    if (found == registered.end()) {
        return E_INVALIDARG;
    }
    registered.erase(found);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HostEventService::SendMessageEvent(UINT32, void*) {
    return E_NOTIMPL;
}

void HostEventService::Deliver(const GUID& eventId, P3D::IParameterListV400* params) {
    // A callback may register or unregister others while it runs: walk a copy.
    const std::vector<Held> targets = registered;
    for (const Held& target : targets) {
        if (SameGuid(target.eventId, eventId)) {
            target.callback->Invoke(params);
        }
    }
}

std::vector<ULONG> HostEventService::ReleaseCallbacks() {
    std::vector<ULONG> counts;
    for (const Held& entry : held) {
        counts.push_back(entry.callback->Release());
    }
    held.clear();
    registered.clear();
    return counts;
}

HostVehicle::HostVehicle(std::wstring title_) : HostObject(GUID{}), title(std::move(title_)) {}

HRESULT STDMETHODCALLTYPE HostVehicle::GetTitle(wchar_t* buffer, unsigned int length) {
    if (buffer == nullptr || length == 0) {
        return E_INVALIDARG;
    }
    const size_t count = std::min<size_t>(title.size(), length - 1);
    std::copy_n(title.begin(), count, buffer);
    buffer[count] = L'\0';
    return S_OK;
}

HostVehicleService::HostVehicleService(HostVehicle& vehicle_)
    : HostObject(GuidFromText(L"34354443-98CB-4CD3-BE2C-544780A3D5ED")), vehicle(vehicle_) {}

HRESULT STDMETHODCALLTYPE HostVehicleService::GetUserObject(P3D::IBaseObjectV400** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (userObjectFails) {
        *out = nullptr;
        return E_FAIL;
    }
    vehicle.AddRef();
    *out = &vehicle;
    return S_OK;
}

HostReportingService::HostReportingService()
    : HostObject(GuidFromText(L"215BE739-7BE0-48C6-8877-6B226008F692")) {}

int STDMETHODCALLTYPE HostReportingService::ShowAlert(const wchar_t* text, int windowType) {
    alerts.push_back(Alert{text != nullptr ? text : L"", windowType});
    return IDOK;
}

HostNamedVariables::HostNamedVariables()
    : HostObject(GuidFromText(L"391A07E6-8F44-42B9-80E3-C8D63D8B8CC9")) {}

void HostNamedVariables::Set(const std::string& name, double value) {
    for (auto& variable : variables) {
        if (variable.first == name) {
            variable.second = value;
            return;
        }
    }
    variables.emplace_back(name, value);
}

int STDMETHODCALLTYPE HostNamedVariables::CheckNamedVariable(const char* name) {
    if (name == nullptr) {
        return -1;
    }
    for (size_t id = 0; id < variables.size(); ++id) {
        if (variables[id].first == name) {
            return static_cast<int>(id);
        }
    }
    return -1;
}

double STDMETHODCALLTYPE HostNamedVariables::GetNamedVariableValue(int id) {
    if (id < 0 || static_cast<size_t>(id) >= variables.size()) {
        return 0.0;
    }
    return variables[static_cast<size_t>(id)].second;
}

HostServiceProvider::HostServiceProvider()
    : HostObject(GuidFromText(L"6D5140C1-7436-11CE-8034-00AA006009FA")) {}

void HostServiceProvider::Offer(const GUID& service, const GUID& iid, IUnknown* object) {
    offers.erase(std::remove_if(offers.begin(), offers.end(),
                                [&](const Offered& offer) {
                                    return SameGuid(offer.service, service) &&
                                           SameGuid(offer.iid, iid);
                                }),
                 offers.end());
    if (object != nullptr) {
        offers.push_back(Offered{service, iid, object});
    }
}

HRESULT STDMETHODCALLTYPE HostServiceProvider::QueryService(REFGUID service, REFIID iid,
                                                            void** out) {
    queries.push_back(Query{service, iid});
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    if (queriesFail) {
        return E_NOINTERFACE;
    }
    for (const Offered& offer : offers) {
        if (SameGuid(offer.service, service) && SameGuid(offer.iid, iid)) {
            offer.object->AddRef();
            *out = offer.object;
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE HostServiceProvider::RegisterService(REFGUID, IUnknown*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE HostServiceProvider::UnRegisterService(REFGUID) {
    return E_NOTIMPL;
}

}  // namespace ulvo::testbed
