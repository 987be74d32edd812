#include "plugin/win/wait_serving_sent_messages.h"

namespace ulvo::plugin {

bool WaitServingSentMessages(HANDLE object, uint32_t milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now >= deadline ? 0 : DWORD(deadline - now);
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(1, &object, left, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0) {
            return true;
        }
        if (woken == WAIT_OBJECT_0 + 1) {
            // Peeking serves every pending sent message; with this filter no
            // posted message is looked at.
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            continue;
        }
        if (woken == WAIT_TIMEOUT) {
            return false;
        }
        // The wait itself failed: the handle names nothing that could still run.
        return true;
    }
}

}  // namespace ulvo::plugin
