/* Reads the adjustment block of the logger behind a base unit on the LAN
 * through the link library's C interface:
 *
 *     lan_adjust_read HOST PORT LOGIN
 *
 * Opens a LAN connection, sends the adjustment read command (EIADJ, ACT=1)
 * in a kind-'2' link frame, receives the reply frame, checks it and prints
 * the 64-byte block as hexadecimal, then closes. Exit status 0 on success. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "link/VkLGR800Comm.h"

enum { kReplyCapacity = 1024, kBlockSize = 64, kOption = 1, kTimeoutSec = 5 };

/* 'T' '2', length 13, "EIADJ:ACT=" 01 00 "1", byte sum 0x02DE. */
static const uint8_t kAdjustRead[] = {'T', '2', 0x0D, 0x00, 'E',  'I',  'A', 'D',  'J', ':',
                                      'A', 'C', 'T',  '=',  0x01, 0x00, '1', 0xDE, 0x02};

/* The value of field `key` in the reply text, or NULL; *length gets its size. */
static const uint8_t* FindField(const uint8_t* text, size_t size, const char* key, size_t* length) {
    const size_t keySize = strlen(key);
    const uint8_t* colon = memchr(text, ':', size);
    size_t at = colon ? (size_t)(colon - text) + 1 : size;
    while (at < size) {
        const uint8_t* equals = memchr(text + at, '=', size - at);
        if (!equals) return NULL;
        const size_t nameEnd = (size_t)(equals - text);
        if (size - nameEnd < 3) return NULL;
        const size_t valueSize = (size_t)text[nameEnd + 1] | (size_t)text[nameEnd + 2] << 8;
        const size_t valueAt = nameEnd + 3;
        if (valueSize > size - valueAt) return NULL;
        if (nameEnd - at == keySize && memcmp(text + at, key, keySize) == 0) {
            *length = valueSize;
            return text + valueAt;
        }
        at = valueAt + valueSize;
    }
    return NULL;
}

/* The reply's text after checking marker, length and byte sum; NULL when wrong. */
static const uint8_t* ReplyText(const uint8_t* frame, int length, size_t* size) {
    if (length < 6 || frame[0] != 'T' || frame[1] != '2') return NULL;
    const size_t n = (size_t)frame[2] | (size_t)frame[3] << 8;
    if (n + 6 != (size_t)length) return NULL;
    unsigned sum = 0;
    for (size_t i = 0; i < n; ++i) sum += frame[4 + i];
    if ((sum & 0xFFFF) != ((unsigned)frame[4 + n] | (unsigned)frame[5 + n] << 8)) return NULL;
    *size = n;
    return frame + 4;
}

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s HOST PORT LOGIN\n", argv[0]);
        return 2;
    }
    uint32_t key = 0;
    int result = VkLGR800_OpenLANComm(argv[1], atoi(argv[2]), argv[3], kOption, &key);
    if (result != 0) {
        fprintf(stderr, "open failed: %d\n", result);
        return 1;
    }
    printf("key %u\n", (unsigned)key);

    uint8_t reply[kReplyCapacity];
    int status = 1;
    result = VkLGR800_SendComm(key, kAdjustRead, (int)sizeof kAdjustRead);
    if (result != 0) {
        fprintf(stderr, "send failed: %d\n", result);
    } else if ((result = VkLGR800_RecvComm(key, reply, kReplyCapacity, kTimeoutSec)) < 0) {
        fprintf(stderr, "receive failed: %d\n", result);
    } else {
        size_t textSize = 0, dataSize = 0, statusSize = 0;
        const uint8_t* text = ReplyText(reply, result, &textSize);
        const uint8_t* stat = text ? FindField(text, textSize, "STATUS", &statusSize) : NULL;
        const uint8_t* data = text ? FindField(text, textSize, "DATA", &dataSize) : NULL;
        if (!text || textSize < 6 || memcmp(text, "EIADJ:", 6) != 0 || !stat) {
            fprintf(stderr, "reply of %d bytes is not an adjustment reply\n", result);
        } else if (!data || dataSize != kBlockSize) {
            fprintf(stderr, "reply carries no 64-byte block\n");
        } else {
            printf("status %.*s\nblock", (int)statusSize, (const char*)stat);
            for (size_t i = 0; i < kBlockSize; ++i) printf(" %02x", data[i]);
            printf("\n");
            status = 0;
        }
    }
    result = VkLGR800_CloseComm(key);
    if (result != 0) {
        fprintf(stderr, "close failed: %d\n", result);
        status = 1;
    }
    return status;
}
