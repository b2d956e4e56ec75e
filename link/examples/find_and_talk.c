/* Finds the first base unit on USB, sends it one command frame and prints
   the reply frame. Usage: find_and_talk [product id, default 0x8001]. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "link/VkLGR800Comm.h"

/* A kind-'2' link frame around text: 'T' '2', length, text, byte sum. */
static int MakeFrame(const uint8_t* text, int length, uint8_t* frame) {
    unsigned sum = 0;
    frame[0] = 'T';
    frame[1] = '2';
    frame[2] = (uint8_t)(length & 0xFF);
    frame[3] = (uint8_t)(length >> 8);
    for (int i = 0; i < length; ++i) {
        frame[4 + i] = text[i];
        sum += text[i];
    }
    frame[4 + length] = (uint8_t)(sum & 0xFF);
    frame[5 + length] = (uint8_t)((sum >> 8) & 0xFF);
    return length + 6;
}

static void PrintBytes(const char* label, const uint8_t* bytes, int count) {
    printf("%s", label);
    for (int i = 0; i < count; ++i) printf(" %02x", bytes[i]);
    printf("\n");
}

int main(int argc, char** argv) {
    const int product = argc > 1 ? (int)strtol(argv[1], NULL, 0) : 0x8001;
    static const uint8_t command[] = {'E', 'I', 'S', 'E', 'T', ':', 'A', 'C', 'T', '=', 1, 0, '1'};
    uint32_t units[256];
    memset(units, 0, sizeof units);

    const int found = VkLGR800_GetSerial(units, 256, product, 0);
    if (found <= 0) {
        printf("no base unit found (%d)\n", found);
        return 1;
    }
    const uint32_t key = units[0];
    printf("base unit %08X\n", key);

    int result = VkLGR800_OpenUSBComm(key);
    if (result != 0) {
        printf("open failed (%d)\n", result);
        VkLGR800_CloseComm(key);
        return 2;
    }
    VkLGR800_ClearCommBuf(key, 1);
    VkLGR800_ClearCommBuf(key, 0);

    uint8_t frame[64];
    const int frameLength = MakeFrame(command, (int)sizeof command, frame);
    result = VkLGR800_SendComm(key, frame, frameLength);
    if (result != 0) {
        printf("send failed (%d)\n", result);
        VkLGR800_CloseComm(key);
        return 3;
    }
    uint8_t reply[1024];
    memset(reply, 0, sizeof reply);
    const int replyLength = VkLGR800_RecvComm(key, reply, (int)sizeof reply, 0);
    VkLGR800_CloseComm(key);
    if (replyLength < 0) {
        printf("receive failed (%d)\n", replyLength);
        return 4;
    }
    PrintBytes("sent", frame, frameLength);
    PrintBytes("reply", reply, replyLength);
    return 0;
}
