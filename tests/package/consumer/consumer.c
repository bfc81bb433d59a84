/* A host written in C, built against the installed library. */
#include <crvsdk.h>
#include <stdio.h>
#include <string.h>

int main(void) {
    int32_t id = 0;
    char buffer[] = "#a { b : c ; }";
    char *end = NULL;
    if ((CRVCreateInstance(&id) & 0xFF) != CRV_OK)
        return 1;
    CRVSetProperty(id, CRV_PROP_BEEP, 0);
    if ((CRVCompressRawData(id, CRV_DATA_CSS, buffer + 1, &end, 1) & 0xFF) != CRV_OK)
        return 2;
    CRVDestroyInstance(id);
    printf("%s\n", buffer + 1);
    return strcmp(buffer + 1, "a{b:c}") != 0 || CRVGetVersion() != CRV_VERSION;
}
