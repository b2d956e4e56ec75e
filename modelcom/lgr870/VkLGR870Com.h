/* C interface of the model-870 (illuminance/UV, temperature/humidity)
 * logger library, libVkLGR870Com.so.
 *
 * Every function returns 0 (or a positive count) on success and a negative
 * code on failure; outputs are written only on success. The first argument
 * of a command is the logger's serial number as VkLGR870Com_GetConctMachInfo
 * returned it. Slopes and offsets are signed 16-bit values (slope x 1000,
 * offset x 1000). Name buffers are 16 bytes (a 16-character name fills one
 * without a terminator); value-text buffers are 16 bytes. */
#ifndef VKLGR870COM_H
#define VKLGR870COM_H

#include <stdint.h>

#include "modelcom/Api.h"

#ifdef __cplusplus
extern "C" {
#endif

TB_MODELCOM_EXPORT int VkLGR870Com_IsConnect(uint8_t* flags, int count);
TB_MODELCOM_EXPORT int VkLGR870Com_GetConctMachInfo(int port, uint32_t* serial, int16_t* typeCode,
                                                    char* nameA, char* nameB);

TB_MODELCOM_EXPORT int VkLGR870Com_GetCalibrationIU(uint32_t serial, int32_t* time, int16_t* slope1,
                                                    int16_t* offset1, int16_t* slope2,
                                                    int16_t* offset2);
TB_MODELCOM_EXPORT int VkLGR870Com_GetCalibrationTH(uint32_t serial, int32_t* time, int16_t* slope1,
                                                    int16_t* offset1, int16_t* slope2,
                                                    int16_t* offset2);
TB_MODELCOM_EXPORT int VkLGR870Com_SetCalibrationIU(uint32_t serial, int32_t time, int16_t slope1,
                                                    int16_t offset1, int16_t slope2,
                                                    int16_t offset2);
TB_MODELCOM_EXPORT int VkLGR870Com_SetCalibrationTH(uint32_t serial, int32_t time, int16_t slope1,
                                                    int16_t offset1, int16_t slope2,
                                                    int16_t offset2);
TB_MODELCOM_EXPORT int VkLGR870Com_GetHistoryIU(uint32_t serial, uint8_t record[80]);
TB_MODELCOM_EXPORT int VkLGR870Com_GetHistoryTH(uint32_t serial, uint8_t record[80]);
TB_MODELCOM_EXPORT int VkLGR870Com_SetHistoryIU(uint32_t serial, const uint8_t record[80]);
TB_MODELCOM_EXPORT int VkLGR870Com_SetHistoryTH(uint32_t serial, const uint8_t record[80]);

TB_MODELCOM_EXPORT int VkLGR870Com_GetRadioCommSettings(uint32_t serial, int* a, int* b);
TB_MODELCOM_EXPORT int VkLGR870Com_SetRadioCommSettings(uint32_t serial, int a, int b);
TB_MODELCOM_EXPORT int VkLGR870Com_RecStop(uint32_t serial);
TB_MODELCOM_EXPORT int VkLGR870Com_GetCurrent(uint32_t serial, int16_t* v1, int16_t* v2,
                                              int16_t* v3, int16_t* v4, int16_t* v5, int16_t* v6);
TB_MODELCOM_EXPORT int VkLGR870Com_GetRecNum(uint32_t serial, int16_t* count);
TB_MODELCOM_EXPORT int VkLGR870Com_GetMacCode(uint32_t serial, int16_t* code);
TB_MODELCOM_EXPORT int VkLGR870Com_GetFirmVersion(uint32_t serial, int16_t* a, int16_t* b,
                                                  int16_t* c, int16_t* d, int32_t* p, int32_t* q,
                                                  int32_t* r);
TB_MODELCOM_EXPORT int VkLGR870Com_SetUnit(uint32_t serial, int unit);
TB_MODELCOM_EXPORT int VkLGR870Com_SetDsp(uint32_t serial, int a, int b);
TB_MODELCOM_EXPORT int VkLGR870Com_GetBattery(uint32_t serial, int16_t* v1, int16_t* v2,
                                              int16_t* v3, int16_t* v4);
TB_MODELCOM_EXPORT int VkLGR870Com_SwitchLock(uint32_t serial, int value);
TB_MODELCOM_EXPORT int VkLGR870Com_SetRecTblRecStart(uint32_t serial, /* arguments #2 .. #23 */
                                                     int a2, int a3, int a4, int a5, int a6, int a7,
                                                     int a8, int a9, int a10, int a11, int a12,
                                                     int a13, int a14, int a15, int a16, int a17,
                                                     int a18, int a19, int a20, int a21, int a22,
                                                     int a23);
TB_MODELCOM_EXPORT int VkLGR870Com_GetRecTbl(uint32_t serial, uint8_t table[192]);
TB_MODELCOM_EXPORT int VkLGR870Com_GetChName(uint32_t serial, char* n1, char* n2, char* n3,
                                             char* n4);
TB_MODELCOM_EXPORT int VkLGR870Com_SetChName(uint32_t serial, const char* n1, const char* n2,
                                             const char* n3, const char* n4);
TB_MODELCOM_EXPORT int VkLGR870Com_GetComInfo(uint32_t serial, int32_t* a1, int32_t* b1,
                                              int32_t* a2, int32_t* b2, uint8_t* x, uint8_t* y);
TB_MODELCOM_EXPORT int VkLGR870Com_SetComInfo(uint32_t serial, int32_t a, int32_t b,
                                              const char* text, int x, int y);
TB_MODELCOM_EXPORT int VkLGR870Com_GetRecData(uint32_t serial, int16_t* c1, int16_t* c2,
                                              int16_t* c3, int16_t* c4, uint8_t table[192],
                                              int capacity);
TB_MODELCOM_EXPORT int VkLGR870Com_GetRcvStatus(uint32_t serial, int16_t* total, int16_t* received);
TB_MODELCOM_EXPORT int VkLGR870Com_CancelDownload(uint32_t serial);

TB_MODELCOM_EXPORT int VkLGR870Com_NormalizeIllumiData(double value);
TB_MODELCOM_EXPORT int VkLGR870Com_NormalizeIntegIlmData(double value);
TB_MODELCOM_EXPORT int VkLGR870Com_NormalizeUvData(double value);
TB_MODELCOM_EXPORT int VkLGR870Com_NormalizeIntegUvData(double value);
TB_MODELCOM_EXPORT double VkLGR870Com_ConvertIllumiToData(int code, char* text, char* kiloText);
TB_MODELCOM_EXPORT double VkLGR870Com_ConvertUvToData(int code, char* text);
TB_MODELCOM_EXPORT double VkLGR870Com_ConvertIntegIlmToData(int code, char* text, char* kiloText);
TB_MODELCOM_EXPORT double VkLGR870Com_ConvertIntegUvToData(int code, char* text, char* kiloText);

#ifdef __cplusplus
}
#endif

#endif /* VKLGR870COM_H */
