// A stand-in for System Restore's SrClient.dll, for the journeys: SRSetRestorePointW takes
// two seconds, as the real call blocks for a while, then answers as the environment variable
// QF_RESTORE_POINT_ANSWER says: "created" (a new point, sequence number 1) or anything else
// (refused as when system protection is off).
#include <windows.h>

#include <srrestoreptapi.h>

extern "C" __declspec(dllexport) BOOL WINAPI
    SRSetRestorePointW(PRESTOREPOINTINFOW, PSTATEMGRSTATUS status) {
    Sleep(2000);
    wchar_t answer[16] = {};
    GetEnvironmentVariableW(L"QF_RESTORE_POINT_ANSWER", answer, 16);
    if (lstrcmpW(answer, L"created") == 0) {
        status->nStatus = ERROR_SUCCESS;
        status->llSequenceNumber = 1;
        return TRUE;
    }
    status->nStatus = ERROR_SERVICE_DISABLED;
    status->llSequenceNumber = 0;
    return FALSE;
}
