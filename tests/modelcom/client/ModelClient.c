/* A plain C client of the model libraries: finds the simulated logger of
 * the model named on the command line ("870" or "875"), reads and writes
 * its calibration and history, and downloads its recorded data (checking
 * the number of records when a second argument gives it). Prints what it
 * did; exits 0 only when every step succeeded. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "modelcom/lgr870/VkLGR870Com.h"
#include "modelcom/lgr875/VkLGR875Com.h"

#define PORTS 32
#define CAPACITY 8000

static int expectedRecords = -1;

static int Fail(const char *step, int code) {
    fprintf(stderr, "%s failed: %d\n", step, code);
    return 1;
}

static int CheckRecords(int records) {
    if (expectedRecords >= 0 && records != expectedRecords) return Fail("record count", records);
    return 0;
}

static void FillHistory(uint8_t record[80], uint8_t seed) {
    int i;
    for (i = 0; i < 80; ++i) record[i] = (uint8_t)(seed + i);
}

static int Run870(void) {
    uint8_t flags[PORTS];
    uint32_t serial = 0;
    int16_t type = 0, s1, o1, s2, o2;
    int32_t time = 0;
    char nameA[16], nameB[16];
    uint8_t history[80], back[80], table[192];
    static int16_t c1[CAPACITY], c2[CAPACITY], c3[CAPACITY], c4[CAPACITY];
    int port, found = 0, code;

    memset(flags, 0, sizeof flags);
    if ((code = VkLGR870Com_IsConnect(flags, PORTS)) < 1) return Fail("IsConnect", code);
    for (port = 1; port <= PORTS && !found; ++port) {
        if (flags[port - 1] && VkLGR870Com_GetConctMachInfo(port, &serial, &type, nameA, nameB) == 0)
            found = 1;
    }
    if (!found) return Fail("GetConctMachInfo", -1);
    printf("logger %08X type %04X name %s\n", (unsigned)serial, (unsigned)(uint16_t)type, nameA);

    if ((code = VkLGR870Com_GetCalibrationIU(serial, &time, &s1, &o1, &s2, &o2)) != 0)
        return Fail("GetCalibrationIU", code);
    if ((code = VkLGR870Com_SetCalibrationIU(serial, 1700000000, 1012, -340, 987, 55)) != 0)
        return Fail("SetCalibrationIU", code);
    if ((code = VkLGR870Com_GetCalibrationIU(serial, &time, &s1, &o1, &s2, &o2)) != 0)
        return Fail("GetCalibrationIU", code);
    if (s1 != 1012 || o1 != -340 || s2 != 987 || o2 != 55) return Fail("calibration read-back", -1);

    FillHistory(history, 0x30);
    if ((code = VkLGR870Com_SetHistoryTH(serial, history)) != 0) return Fail("SetHistoryTH", code);
    if ((code = VkLGR870Com_GetHistoryTH(serial, back)) != 0) return Fail("GetHistoryTH", code);
    if (memcmp(history, back, 80) != 0) return Fail("history read-back", -1);

    code = VkLGR870Com_GetRecData(serial, c1, c2, c3, c4, table, CAPACITY);
    if (code < 0) return Fail("GetRecData", code);
    printf("records %d, last %d %d %d %d\n", code, c1[code - 1], c2[code - 1], c3[code - 1],
           c4[code - 1]);
    return CheckRecords(code);
}

static int Run875(void) {
    uint8_t flags[PORTS];
    uint32_t serial = 0;
    int16_t type = 0, slope, ppm;
    int32_t time = 0;
    char nameA[16], nameB[16];
    uint8_t history[80], back[80], table[192];
    static int16_t c1[CAPACITY], c2[CAPACITY], c3[CAPACITY];
    int port, found = 0, code;

    memset(flags, 0, sizeof flags);
    if ((code = VkLGR875Com_IsConnect(flags, PORTS)) < 1) return Fail("IsConnect", code);
    for (port = 1; port <= PORTS && !found; ++port) {
        if (flags[port - 1] && VkLGR875Com_GetConctMachInfo(port, &serial, &type, nameA, nameB) == 0)
            found = 1;
    }
    if (!found) return Fail("GetConctMachInfo", -1);
    printf("logger %08X type %04X\n", (unsigned)serial, (unsigned)(uint16_t)type);

    if ((code = VkLGR875Com_SetCalibrationCh1(serial, 1700000000, 1030, -25)) != 0)
        return Fail("SetCalibrationCh1", code);
    if ((code = VkLGR875Com_GetCalibrationCh1(serial, &time, &slope, &ppm)) != 0)
        return Fail("GetCalibrationCh1", code);
    if (slope != 1030 || ppm != -25) return Fail("calibration read-back", -1);

    FillHistory(history, 0x50);
    if ((code = VkLGR875Com_SetHistoryCh1(serial, history)) != 0) return Fail("SetHistoryCh1", code);
    if ((code = VkLGR875Com_GetHistoryCh1(serial, back)) != 0) return Fail("GetHistoryCh1", code);
    if (memcmp(history, back, 80) != 0) return Fail("history read-back", -1);

    code = VkLGR875Com_GetRecData(serial, c1, c2, c3, table, CAPACITY);
    if (code < 0) return Fail("GetRecData", code);
    printf("records %d, last %d %d %d\n", code, c1[code - 1], c2[code - 1], c3[code - 1]);
    return CheckRecords(code);
}

int main(int argc, char **argv) {
    if (argc != 2 && argc != 3) {
        fprintf(stderr, "usage: %s 870|875 [records]\n", argv[0]);
        return 2;
    }
    if (argc == 3) expectedRecords = atoi(argv[2]);
    if (strcmp(argv[1], "870") == 0) return Run870();
    if (strcmp(argv[1], "875") == 0) return Run875();
    fprintf(stderr, "unknown model %s\n", argv[1]);
    return 2;
}
