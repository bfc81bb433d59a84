// Without a window system there is no window to own a dialogue: the settings
// dialogue makes the checks of its Windows twin and then answers as for a
// parent that is not a window; the about dialogue has nothing to show.
#include "sdk/instance.h"

extern "C" {

int32_t CRV_CALL CRVShowSettingDialogue(int32_t instanceId, void *) {
    std::int32_t refusal = CRV_OK;
    if (!crv::FindIdleInstance(instanceId, refusal))
        return refusal;
    return CRV_ERR_CANCELLED;
}

int32_t CRV_CALL CRVShowAboutDialogue(uint32_t, void *) { return CRV_OK; }

} // extern "C"
