/* Loads the link library by name, opens and closes a LAN connection (its
 * worker thread stays for the next one) and lets the library go again: the
 * program must go on and end normally. Usage: unload_after_lan PORT */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

typedef int (*OpenLanFunction)(const char*, int, const char*, uint32_t, uint32_t*);
typedef int (*CloseFunction)(uint32_t);

int main(int argc, char** argv) {
    HMODULE library;
    OpenLanFunction openLan;
    CloseFunction close;
    uint32_t key = 0;
    int opened;
    if (argc != 2) return 2;
    library = LoadLibraryA("VkLGR800Comm.dll");
    if (!library) return 3;
    openLan = (OpenLanFunction)(void (*)(void))GetProcAddress(library, "VkLGR800_OpenLANComm");
    close = (CloseFunction)(void (*)(void))GetProcAddress(library, "VkLGR800_CloseComm");
    if (!openLan || !close) return 4;
    opened = openLan("127.0.0.1", atoi(argv[1]), "trimbench", 1, &key);
    printf("open %d, close %d\n", opened, opened == 0 ? close(key) : opened);
    fflush(stdout);
    if (!FreeLibrary(library)) return 5;
    printf("let go\n");
    return opened == 0 ? 0 : 1;
}
