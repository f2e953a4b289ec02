/* A minimal host: starts the toolbox, prints its version, releases it. */
#include <stdio.h>
#include <string.h>

#include <kelmod.h>

int main(void) {
    char* version = NULL;
    if (ZanInitToolbox(1) != 0 || ZanToolboxVersion(&version) != 0) return 1;
    printf("KELMOD %s\n", version);
    return ZanInitToolbox(2) == 0 && strcmp(version, "3.1G") == 0 ? 0 : 1;
}
