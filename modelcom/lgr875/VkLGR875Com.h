/* C interface of the model-875 (CO2, temperature/humidity) logger library,
 * libVkLGR875Com.so.
 *
 * Every function returns 0 (or a positive count) on success and a negative
 * code on failure; outputs are written only on success. The first argument
 * of a command is the logger's serial number as VkLGR875Com_GetConctMachInfo
 * returned it. Ch.1 holds slope x 1000 and the offset in ppm, Ch.2/Ch.3
 * slope x 1000 and offset x 1000. Name buffers are 16 bytes (a 16-character
 * name fills one without a terminator). */
#ifndef VKLGR875COM_H
#define VKLGR875COM_H

#include <stdint.h>

#include "modelcom/Api.h"

#ifdef __cplusplus
extern "C" {
#endif

TB_MODELCOM_EXPORT int VkLGR875Com_IsConnect(uint8_t* flags, int count);
TB_MODELCOM_EXPORT int VkLGR875Com_GetConctMachInfo(int port, uint32_t* serial, int16_t* typeCode,
                                                    char* nameA, char* nameB);

TB_MODELCOM_EXPORT int VkLGR875Com_GetCalibrationCh1(uint32_t serial, int32_t* time, int16_t* slope,
                                                     int16_t* offsetPpm);
TB_MODELCOM_EXPORT int VkLGR875Com_GetCalibrationCh2Ch3(uint32_t serial, int32_t* time,
                                                        int16_t* slope2, int16_t* offset2,
                                                        int16_t* slope3, int16_t* offset3);
TB_MODELCOM_EXPORT int VkLGR875Com_SetCalibrationCh1(uint32_t serial, int32_t time, int16_t slope,
                                                     int16_t offsetPpm);
TB_MODELCOM_EXPORT int VkLGR875Com_SetCalibrationCh2Ch3(uint32_t serial, int32_t time,
                                                        int16_t slope2, int16_t offset2,
                                                        int16_t slope3, int16_t offset3);
TB_MODELCOM_EXPORT int VkLGR875Com_GetHistoryCh1(uint32_t serial, uint8_t record[80]);
TB_MODELCOM_EXPORT int VkLGR875Com_GetHistoryCh2Ch3(uint32_t serial, uint8_t record[80]);
TB_MODELCOM_EXPORT int VkLGR875Com_SetHistoryCh1(uint32_t serial, const uint8_t record[80]);
TB_MODELCOM_EXPORT int VkLGR875Com_SetHistoryCh2Ch3(uint32_t serial, const uint8_t record[80]);

TB_MODELCOM_EXPORT int VkLGR875Com_GetRadioCommSettings(uint32_t serial, int* a, int* b, int* c,
                                                        int* d);
TB_MODELCOM_EXPORT int VkLGR875Com_SetRadioCommSettings(uint32_t serial, int a, int b);
TB_MODELCOM_EXPORT int VkLGR875Com_RecStop(uint32_t serial);
TB_MODELCOM_EXPORT int VkLGR875Com_GetCurrent(uint32_t serial, int16_t* v1, int16_t* v2,
                                              int16_t* v3);
TB_MODELCOM_EXPORT int VkLGR875Com_GetRecNum(uint32_t serial, int16_t* count);
TB_MODELCOM_EXPORT int VkLGR875Com_GetMacCode(uint32_t serial, int16_t* code);
TB_MODELCOM_EXPORT int VkLGR875Com_GetFirmVersion(uint32_t serial, int16_t* version);
TB_MODELCOM_EXPORT int VkLGR875Com_SetUnit(uint32_t serial, int unit);
TB_MODELCOM_EXPORT int VkLGR875Com_SetDsp(uint32_t serial, int mode);
TB_MODELCOM_EXPORT int VkLGR875Com_GetBattery(uint32_t serial, int16_t* v1, int16_t* v2);
TB_MODELCOM_EXPORT int VkLGR875Com_SwitchLock(uint32_t serial, int value);
TB_MODELCOM_EXPORT int VkLGR875Com_SetRecTblRecStart(uint32_t serial, /* arguments #2 .. #19 */
                                                     int a2, int a3, int a4, int a5, int a6, int a7,
                                                     int a8, int a9, int a10, int a11, int a12,
                                                     int a13, int a14, int a15, int a16, int a17,
                                                     int a18, int a19);
TB_MODELCOM_EXPORT int VkLGR875Com_GetRecTbl(uint32_t serial, uint8_t table[192]);
TB_MODELCOM_EXPORT int VkLGR875Com_GetChName(uint32_t serial, char* n1, char* n2, char* n3);
TB_MODELCOM_EXPORT int VkLGR875Com_SetChName(uint32_t serial, const char* n1, const char* n2,
                                             const char* n3);
TB_MODELCOM_EXPORT int VkLGR875Com_GetComInfo(uint32_t serial, int32_t* a1, int32_t* b1,
                                              int32_t* a2, int32_t* b2, uint8_t* x, uint8_t* y);
TB_MODELCOM_EXPORT int VkLGR875Com_SetComInfo(uint32_t serial, int32_t a, int32_t b,
                                              const char* text, int x, int y);
TB_MODELCOM_EXPORT int VkLGR875Com_GetRecData(uint32_t serial, int16_t* c1, int16_t* c2,
                                              int16_t* c3, uint8_t table[192], int capacity);
TB_MODELCOM_EXPORT int VkLGR875Com_GetRcvStatus(uint32_t serial, int16_t* total, int16_t* received);
TB_MODELCOM_EXPORT int VkLGR875Com_CancelDownload(uint32_t serial);

TB_MODELCOM_EXPORT int VkLGR875Com_GetRfVersion(uint32_t serial, int16_t* version, int32_t* build);
TB_MODELCOM_EXPORT int VkLGR875Com_GetAutoCalibSetting(uint32_t serial, int* on);
TB_MODELCOM_EXPORT int VkLGR875Com_SetAutoCalibSetting(uint32_t serial, int on);
TB_MODELCOM_EXPORT int VkLGR875Com_GetAirPressureSetting(uint32_t serial, int* tenthsKPa);
TB_MODELCOM_EXPORT int VkLGR875Com_SetAirPressureSetting(uint32_t serial, int tenthsKPa);

TB_MODELCOM_EXPORT int VkLGR875Com_NormalizeCO2Data(int ppm);
TB_MODELCOM_EXPORT int VkLGR875Com_ConvertCO2ToData(int code);

#ifdef __cplusplus
}
#endif

#endif /* VKLGR875COM_H */
