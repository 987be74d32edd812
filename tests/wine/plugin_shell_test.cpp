// The plug-in's entry points and host callbacks, through the real DLL loaded by
// the testbed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/guid_text.h"
#include "win/testbed.h"
#include "wine/plugin_log_lines.h"

namespace ulvo::testbed {
namespace {

std::vector<std::wstring> EventIds(const std::vector<HostEventService::Record>& records,
                                   bool registered) {
    std::vector<std::wstring> ids;
    for (const auto& record : records) {
        if (record.registered == registered) {
            ids.push_back(GuidText(record.eventId));
        }
    }
    return ids;
}

P3D::ICallbackV400* RegisteredCallback(const HostEventService& events, const GUID& eventId) {
    for (const auto& record : events.Records()) {
        if (record.registered && IsEqualGUID(record.eventId, eventId)) {
            return record.callback;
        }
    }
    return nullptr;
}

void ExpectNoReferenceLeft(const HostParty& host) {
    for (const auto& [object, outstanding] : host.OutstandingReferences()) {
        EXPECT_EQ(outstanding, 0) << object;
    }
    EXPECT_EQ(host.UnusedSlotCalls(), 0);
}

TEST(PluginShell, RegistersFourCallbacksAndGivesThemBackAtStopInFieldOrder) {
    Testbed testbed;
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    const auto& records = testbed.host.events.Records();
    EXPECT_EQ(EventIds(records, true),
              (std::vector<std::wstring>{GuidText(kOneSecondEvent), GuidText(kFrameEvent),
                                         GuidText(kCustomRenderEvent), GuidText(kMessageEvent)}));
    EXPECT_TRUE(EventIds(records, false).empty());
    // The plug-in took a reference on the event service only while registering.
    EXPECT_EQ(testbed.host.events.Outstanding(), 1);  // the holder's own

    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    testbed.host.DeliverOneSecond();
    testbed.host.DeliverMessage(P3D::kMessageShutdown);
    EXPECT_TRUE(EventIds(records, false).empty());

    std::vector<P3D::ICallbackV400*> registered;
    for (const GUID& id : {kCustomRenderEvent, kOneSecondEvent, kMessageEvent, kFrameEvent}) {
        registered.push_back(RegisteredCallback(testbed.host.events, id));
    }
    testbed.plugin.Stop();
    EXPECT_EQ(EventIds(records, false),
              (std::vector<std::wstring>{GuidText(kCustomRenderEvent), GuidText(kOneSecondEvent),
                                         GuidText(kMessageEvent), GuidText(kFrameEvent)}));
    std::vector<P3D::ICallbackV400*> unregistered;
    for (const auto& record : records) {
        if (!record.registered) {
            unregistered.push_back(record.callback);
        }
    }
    EXPECT_EQ(unregistered, registered);  // each under the id it was registered with
    EXPECT_EQ(testbed.plugin.CallbacksLeftRegistered(), 0u);
    // The host's release was the last one: the plug-in gave back its own.
    EXPECT_EQ(testbed.plugin.FinalCallbackCounts(), (std::vector<ULONG>{0, 0, 0, 0}));
    testbed.plugin.Unload();
    ExpectNoReferenceLeft(testbed.host);
}

TEST(PluginShell, CallbacksAnswerOnlyTheCallbackInterfaceAndIUnknown) {
    Testbed testbed;
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    const struct {
        const wchar_t* iid;
        HRESULT result;
    } cases[] = {
        {L"AEF008CE-84D1-4A54-B136-04DCB4FAFD22", S_OK},           // the callback interface
        {L"00000000-0000-0000-C000-000000000046", S_OK},           // IUnknown
        {L"075551E8-0885-4711-9F7F-A6EB6A61DA6C", E_NOINTERFACE},  // the parameter list
        {L"5DAFFF1B-8E70-47E9-872B-9F717B1128BB", E_NOINTERFACE},  // an event id
        {L"AEF008CE-84D1-4A54-B136-04DCB4FAFD23", E_NOINTERFACE},  // one bit off
        {L"00000000-0000-0000-0000-000000000000", E_NOINTERFACE},
    };
    for (const GUID& eventId : {kOneSecondEvent, kFrameEvent, kCustomRenderEvent, kMessageEvent}) {
        P3D::ICallbackV400* callback = RegisteredCallback(testbed.host.events, eventId);
        ASSERT_NE(callback, nullptr);
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << GuidText(eventId).c_str() << " asked for "
                                            << std::wstring(c.iid).c_str());
            const ULONG before = callback->AddRef();
            callback->Release();
            void* out = &out;  // must be overwritten either way
            EXPECT_EQ(callback->QueryInterface(GuidFromText(c.iid), &out), c.result);
            const ULONG after = callback->AddRef();
            callback->Release();
            if (c.result == S_OK) {
                EXPECT_EQ(out, static_cast<void*>(callback));
                EXPECT_EQ(after, before + 1);
                callback->Release();
            } else {
                EXPECT_EQ(out, nullptr);
                EXPECT_EQ(after, before);
            }
        }
    }
    testbed.plugin.StopAndUnload();
    EXPECT_EQ(testbed.plugin.FinalCallbackCounts(), (std::vector<ULONG>{0, 0, 0, 0}));
}

TEST(PluginShell, TheHostReachesTheMessageHandlerThroughSlotThreeOfTheCallback) {
    Testbed testbed;
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    P3D::ICallbackV400* callback = RegisteredCallback(testbed.host.events, kMessageEvent);
    ASSERT_NE(callback, nullptr);
    HostParameterList params(&testbed.host.provider, {P3D::kMessageLoadingComplete});
    using Invoke = void (*)(void*, P3D::IParameterListV400*);
    void** table = *reinterpret_cast<void***>(callback);
    reinterpret_cast<Invoke>(table[3])(callback, &params);
    EXPECT_EQ(params.LastCall(), "GetParameter");
    EXPECT_EQ(testbed.plugin.ReadLog().rfind("Logfile opened\r\n", 0), 0u);
}

TEST(PluginShell, MessagesWithoutAHandlerAndTheOtherCallbacksDoNothing) {
    Testbed testbed;
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    const UINT64 ignored[] = {
        P3D::kMessageAllDllsLoaded,
        P3D::kMessageViewModeChanged,
        P3D::kMessageViewCreated,
        P3D::kMessageViewDestroyed,
        0,
        54,
        56,
        406,
        408,
        577,
        579,
        (UINT64{1} << 32) | P3D::kMessageLoadingComplete,  // the whole 64 bits are the id
        (UINT64{1} << 63) | P3D::kMessageShutdown,
        ~UINT64{0}};
    // Before the start message the one-second step has nothing to do either.
    auto deliverIgnored = [&](bool oneSecond) {
        for (const UINT64 id : ignored) {
            testbed.host.DeliverMessage(id);
        }
        if (oneSecond) {
            testbed.host.DeliverOneSecond();
        }
        testbed.host.DeliverFrame();
        testbed.host.DeliverCustomRender();
    };

    deliverIgnored(true);
    EXPECT_EQ(GetFileAttributesW(testbed.plugin.LogPath().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(testbed.host.vehicles.LastCall(), "");
    EXPECT_TRUE(testbed.host.reporting.alerts.empty());

    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    const std::string started = testbed.plugin.ReadLog();
    deliverIgnored(false);
    EXPECT_EQ(testbed.plugin.ReadLog(), started);
    testbed.host.DeliverMessage(P3D::kMessageShutdown);
    EXPECT_EQ(testbed.plugin.ReadLog(), started + kConnectionsClosed + kLogClosed);
    testbed.plugin.StopAndUnload();
    ExpectNoReferenceLeft(testbed.host);
}

TEST(PluginShell, AProviderWhoseQueriesAllFailGetsNoRegistrationAndAStopWithoutHarm) {
    TestbedOptions options;
    options.host.queriesFail = true;
    Testbed testbed(options);
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    EXPECT_EQ(testbed.host.provider.queries.size(), 21u);
    EXPECT_TRUE(testbed.host.events.Records().empty());
    EXPECT_EQ(testbed.host.events.AddRefs(), 0);
    EXPECT_EQ(testbed.host.provider.Outstanding(), 1);  // slot 0 only
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    testbed.plugin.StopAndUnload();
    EXPECT_TRUE(testbed.host.events.Records().empty());
    EXPECT_TRUE(testbed.plugin.ReadLog().empty());
    ExpectNoReferenceLeft(testbed.host);
}

TEST(PluginShell, AsksTheProviderForTheTwentyOneServicesInSlotOrder) {
    Testbed testbed;
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    // (service id, interface id) of slots 1 to 21.
    const wchar_t* const pairs[21][2] = {
        {L"5B3BAC47-D372-4A51-A666-D0BC839484C7", L"5B3BAC47-D372-4A51-A666-D0BC839484C7"},
        {L"5E7300C9-8EC3-4E43-A56E-13B0B0F40CC0", L"132DFE3D-EA31-4976-88E2-E45644717621"},
        {L"3F6215C0-65E6-4D91-9767-0BA77038529A", L"AD3115AF-8136-48A9-BDD1-DCEEADA35D8D"},
        {L"03DE3B80-F2AF-11E1-AFF1-0800200C9A66", L"0F97F3D0-0B68-487B-9576-D6C851BAFC7F"},
        {L"8A8F6E96-C7E7-4041-AC75-4506737C6FE6", L"0740820A-C0CC-4BCF-9876-BE937ED8EE23"},
        {L"7EB08A5D-4997-48BE-9278-7E22AD810494", L"064718AE-C2B7-4C1A-9904-9BE7218DCF09"},
        {L"C32762E6-B6C5-4E05-BAD7-0D54DA537139", L"553C3E40-8ADF-484C-B996-3CEBEECE4244"},
        {L"1E341CCE-E302-40C7-A458-75B88AB58F1A", L"4CCFC194-D146-4D3F-BFD6-C0D4C317675E"},
        {L"6FC0E4E9-50F9-4716-A491-A0B59120A067", L"34354443-98CB-4CD3-BE2C-544780A3D5ED"},
        {L"215BE739-7BE0-48C6-8877-6B226008F692", L"215BE739-7BE0-48C6-8877-6B226008F692"},
        {L"68254E0A-260E-48ED-8868-CEEF63D862C7", L"391A07E6-8F44-42B9-80E3-C8D63D8B8CC9"},
        {L"A9EA0FED-1CEB-44A7-ACD4-184917284DDB", L"FAD342C0-47CA-4725-9E67-E5D019608CAB"},
        {L"7D7A6F58-5A30-4FA4-8CB7-DB7EC4E06DB7", L"5310E926-8B20-46F2-B82D-03279770DF91"},
        {L"7DB88F0F-13F8-4EE0-A1F8-239A29236BAF", L"BC0ABF23-ACF2-4AE6-9FDC-BC694AFF61BA"},
        {L"31195859-206A-43B9-A97C-0E42E0DE9502", L"964A5908-3991-4DD8-A172-B3DA78EEBC5D"},
        {L"837698AE-6CB7-4EAD-9D34-001705DC8EF4", L"1C500B49-35EA-49EB-AA90-FA904FD254B9"},
        {L"9C729660-2E7D-4DD2-8FC6-33FD3EA9A264", L"9C729660-2E7D-4DD2-8FC6-33FD3EA9A264"},
        {L"A3E7F1F1-2127-4544-A1FE-6054E41B9228", L"A3E7F1F1-2127-4544-A1FE-6054E41B9228"},
        {L"0340940A-D8DA-4878-A397-F1C814B75C80", L"91C94FB3-3052-4E3D-A58E-A4E5EAAE1C55"},
        {L"4E1293F6-BD49-4CE4-B308-B99859AD64C8", L"81A87B88-90B8-435C-A84D-13418BBE8523"},
        {L"8C8C2FFF-338F-4C33-90FB-762073E0ECFB", L"0E27E820-4A5D-4F14-8560-1DF282B25EFB"},
    };
    const auto& queries = testbed.host.provider.queries;
    ASSERT_EQ(queries.size(), 21u);
    for (size_t slot = 1; slot <= 21; ++slot) {
        SCOPED_TRACE(testing::Message() << "slot " << slot);
        EXPECT_EQ(GuidText(queries[slot - 1].service), GuidText(GuidFromText(pairs[slot - 1][0])));
        EXPECT_EQ(GuidText(queries[slot - 1].iid), GuidText(GuidFromText(pairs[slot - 1][1])));
    }
}

TEST(PluginShell, EveryServiceTheHostHandedOutIsReleasedAtStop) {
    Testbed testbed;
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    // Held by the plug-in while it runs: one reference per offered service.
    EXPECT_EQ(testbed.host.provider.Outstanding(), 1);
    EXPECT_EQ(testbed.host.vehicles.Outstanding(), 1);
    EXPECT_EQ(testbed.host.reporting.Outstanding(), 1);
    EXPECT_EQ(testbed.host.namedVariables.Outstanding(), 1);
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    EXPECT_EQ(testbed.host.vehicle.AddRefs(), 1);
    EXPECT_EQ(testbed.host.vehicle.Outstanding(), 0);
    testbed.host.DeliverMessage(P3D::kMessageShutdown);
    testbed.plugin.StopAndUnload();
    ExpectNoReferenceLeft(testbed.host);
}

}  // namespace
}  // namespace ulvo::testbed
