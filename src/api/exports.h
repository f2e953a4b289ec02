// The 64 exports as the library implements them, before the call trace:
// each one defined in the api file of its family, in namespace kelmod::api.
#pragma once

#include "kelmod.h"

namespace kelmod::api {

ErrorCode ZanInitToolbox(int32_t mode);
ErrorCode ZanConfigureToolbox(int32_t mode, char* path);
ErrorCode ZanToolboxVersion(char** version);
ErrorCode ZanGetErrorMessage(int32_t code, MessageRecord* message);
ErrorCode ZanFillInterface(char* record, int32_t length);
ErrorCode ZanDescribeInterface(int32_t mode, char** value);
ErrorCode ZanCreateTable(int32_t type, char* name, char* key, char* setIndexPath, char* definitionPath);
ErrorCode ZanCreateFillTable(int32_t type, char* name, char* key, char* setIndexPath, char* definitionPath, char* data, int32_t length);
ErrorCode ZanFillTable(int32_t type, char* data, int32_t length);
ErrorCode ZanCreateSendstr(char** sendString);
ErrorCode ZanCreateSendstrBomHead(int32_t type, char** sendString);
ErrorCode ZanGetTableValue(int32_t type, char* fieldName, int32_t record, char** value);
ErrorCode ZanWriteTableValue(int32_t type, char* fieldName, char* value, int32_t record);
ErrorCode ZanModifyTableValue(int32_t type, char* fieldName, char* value, int32_t record);
ErrorCode ZanDeleteTableEntry(int32_t type, int32_t record);
ErrorCode ZanDescribeTable(int32_t type, char** count);
ErrorCode ZanGetAttributName(int32_t direction, char* name, char* key, char* setIndexPath, char* definitionPath, int32_t n, AttributeRecord* attribute);
ErrorCode ZanGetAttributNameValue(int32_t type, int32_t fieldNumber, int32_t record, char* fieldName, char** value);
ErrorCode ZanSearchAttribut(int32_t direction, char* name, char* key, char* setIndexPath, char* definitionPath, char* fieldName, AttributeRecord* attribute);
ErrorCode ZanCreateFillUserTable(int32_t mode, int32_t fieldCount, char* data, int32_t length);
ErrorCode ZanWriteKonfiguration(int32_t mode, char* data, int32_t length, char* path);
ErrorCode ZanPrintTable(int32_t type, char* path);
ErrorCode ZanCreateHlpTable(int32_t mode, char* data, int32_t length);
ErrorCode ZanFillHlpTable(int32_t mode, char* data, int32_t length);
ErrorCode ZanGetHlpData(int32_t mode, int32_t column, int32_t line, CharacteristicData* data);
ErrorCode ZanGetHlpDescription(int32_t mode, char** value);
ErrorCode ZanFindHelpTable(char* name, char* key, char* fieldName, char* setIndexPath, char* definitionPathU, char* definitionPathD, char* direction);
ErrorCode ZanCreateFillTableMcd(int32_t mode, char* data, int32_t length);
ErrorCode ZanCreateSendstrMcd(int32_t mode, char* reserved1, char* reserved2, char** sendString);
ErrorCode ZanGetMcdValue(char* attribute, int32_t record, char** value);
ErrorCode ZanGetMcdDescription(int32_t mode, char** count);
ErrorCode ZanWriteMcdValue(int32_t mode, int32_t record, char* value);
ErrorCode ZanCreateSendstrHelp(char* part1, char* part2, char* part3, char* part4, char** sendString);
ErrorCode ZanCreateSendstrMessageK4(char* message, int32_t length, char** sendString);
ErrorCode ZanCreateFillClasTableK4(int32_t mode, char* data, int32_t length, int32_t* count);
ErrorCode ZanCreateFillClasHierarchTableK4(int32_t mode, char* data, int32_t length, int32_t* count);
ErrorCode ZanCreateSendstrClasK4(char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char* v7, char* v8, char** sendString);
ErrorCode ZanCreateSendstrClasScopeK4(char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char** sendString);
ErrorCode ZanCreateSendstrClasSelectK4(char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char* v7, char* v8, char* v9, char* v10, char* v11, char** sendString);
ErrorCode ZanCreateSendstrClasSelScopeK4(char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char* v7, char* v8, char** sendString);
ErrorCode ZanCreateSendstrClasSearchK4(int32_t mode, char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char* v7, char** sendString);
ErrorCode ZanGetClasDataK4(int32_t mode, int32_t record, char** values);
ErrorCode ZanGetClasHierarchDataK4(int32_t mode, int32_t record, char** values);
ErrorCode ZanGetClasSearchDataK4(int32_t mode, int32_t record, char** values);
ErrorCode ZanGetObjectDataK4(int32_t mode, int32_t record, char** values);
ErrorCode ZanCreateMailTable(int32_t mailType, char* data, int32_t length);
ErrorCode ZanDescribeMailTable(int32_t mailType, char** count);
ErrorCode ZanGetMailData(int32_t mailType, int32_t position, char* fieldName, int32_t valueNumber, char** value);
ErrorCode ZanWriteMailValue(int32_t mailType, int32_t position, char* fieldName, int32_t valueNumber, char* value);
ErrorCode ZanCreateSendstrMail(int32_t mode, int32_t mail, char** sendString);
ErrorCode ZanCreateSmlTable(int32_t mode, char* data, int32_t length);
ErrorCode ZanFillSmlTable(int32_t mode, char* data, int32_t length);
ErrorCode ZanDeleteSmlSelection(void);
ErrorCode ZanGetSmlDescription(int32_t type, char** value);
ErrorCode ZanGetSmlData(int32_t type, int32_t position, int32_t valueNumber, CharacteristicData* data);
ErrorCode ZanGetSmlAttributData(int32_t kind, char* key, int32_t valueNumber, CharacteristicData* data);
ErrorCode ZanWriteSmlValue(int32_t type, int32_t position, char* name, int32_t code, char* text, int32_t valueNumber);
ErrorCode ZanCreateSendstrSml(int32_t mode, char** sendString);
ErrorCode ZanGetSmlDataK4(int32_t mode, int32_t position, int32_t number, SmlCharacteristicData* data);
ErrorCode ZanGetSmlAttributDataK4(int32_t kind, char* key, int32_t valueNumber, SmlCharacteristicData* data);
ErrorCode ZanGetSmlDataValueK4(int32_t mode, char* name, int32_t index, int32_t objectNumber, int32_t valueNumber, char** value);
ErrorCode ZanGetSmlValueDescriptionK4(int32_t mode, int32_t objectNumber, char* name, int32_t* count);
ErrorCode ZanCreateFillPosSmlValueTableK4(int32_t mode, char* data, int32_t length);
ErrorCode ZanCreateSendstrPosSmlValuesK4(int32_t mode, char** sendString);

}  // namespace kelmod::api
