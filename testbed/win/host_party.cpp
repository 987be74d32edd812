#include "win/host_party.h"

#include "win/guid_text.h"

namespace ulvo::testbed {

const GUID kOneSecondEvent = GuidFromText(L"AF64E7C8-81DF-46DD-8F46-8E409E42EF6F");
const GUID kFrameEvent = GuidFromText(L"C98B247B-C8EA-4F70-8ED7-2DFB191751E3");
const GUID kCustomRenderEvent = GuidFromText(L"24F5B477-CFCB-4AC1-8FEE-DD6014F8E916");
const GUID kMessageEvent = GuidFromText(L"5DAFFF1B-8E70-47E9-872B-9F717B1128BB");

HostParty::HostParty(const HostOptions& options)
    : vehicle(options.vehicleTitle), vehicles(vehicle) {
    provider.queriesFail = options.queriesFail;
    vehicles.userObjectFails = options.userObjectFails;
    // (service id, interface id) of each service, as the host publishes them.
    const GUID eventServiceId = GuidFromText(L"5B3BAC47-D372-4A51-A666-D0BC839484C7");
    provider.Offer(eventServiceId, eventServiceId, &events);
    if (options.vehicleService) {
        provider.Offer(GuidFromText(L"6FC0E4E9-50F9-4716-A491-A0B59120A067"),
                       GuidFromText(L"34354443-98CB-4CD3-BE2C-544780A3D5ED"), &vehicles);
    }
    if (options.messageService) {
        const GUID id = GuidFromText(L"215BE739-7BE0-48C6-8877-6B226008F692");
        provider.Offer(id, id, &reporting);
    }
    provider.Offer(GuidFromText(L"68254E0A-260E-48ED-8868-CEEF63D862C7"),
                   GuidFromText(L"391A07E6-8F44-42B9-80E3-C8D63D8B8CC9"), &namedVariables);
    if (options.msvcAbi) {
        msvc.emplace(*this);
    }
}

P3D::IPdk* HostParty::Provider() {
    if (msvc) {
        return msvc->Provider();
    }
    return &provider;
}

void HostParty::DeliverMessage(UINT64 id) {
    Deliver(kMessageEvent, {id});
}

void HostParty::DeliverOneSecond() {
    Deliver(kOneSecondEvent, {});
}

void HostParty::DeliverFrame() {
    Deliver(kFrameEvent, {});
}

void HostParty::DeliverCustomRender() {
    Deliver(kCustomRenderEvent, {});
}

void HostParty::Deliver(const GUID& eventId, std::vector<UINT64> values) {
    HostParameterList params(&provider, std::move(values));
    if (msvc) {
        msvc->Deliver(eventId, params);
    } else {
        events.Deliver(eventId, &params);
    }
    parameterListOutstanding += params.Outstanding();
}

std::vector<std::pair<std::string, long>> HostParty::OutstandingReferences() const {
    return {
        {"service provider", provider.Outstanding()},
        {"event service", events.Outstanding()},
        {"vehicle", vehicle.Outstanding()},
        {"vehicle service", vehicles.Outstanding()},
        {"reporting service", reporting.Outstanding()},
        {"named variables", namedVariables.Outstanding()},
        {"parameter lists", parameterListOutstanding},
    };
}

long HostParty::UnusedSlotCalls() const {
    return provider.UnusedSlotCalls() + events.UnusedSlotCalls() + vehicle.UnusedSlotCalls() +
           vehicles.UnusedSlotCalls() + reporting.UnusedSlotCalls() +
           namedVariables.UnusedSlotCalls() + msvcUnusedSlotCalls;
}

}  // namespace ulvo::testbed
