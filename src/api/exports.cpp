// The C boundary: every export hands its call to its implementation in
// kelmod::api, holding the boundary lock. With KELMOD_TRACE unset that is
// all it does (the trace costs one predictable branch); with it set, the
// call is recorded in the trace file.
#include "api/exports.h"
#include "core/boundary.h"

using namespace kelmod;

extern "C" KELMOD_API ErrorCode ZanInitToolbox(int32_t mode) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanInitToolbox", .args = "mode"};
  return AtBoundary<&api::ZanInitToolbox>(kInfo, mode);
}

extern "C" KELMOD_API ErrorCode ZanConfigureToolbox(int32_t mode, char* path) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanConfigureToolbox", .args = "mode,path"};
  return AtBoundary<&api::ZanConfigureToolbox>(kInfo, mode, path);
}

extern "C" KELMOD_API ErrorCode ZanToolboxVersion(char** version) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanToolboxVersion", .args = "version"};
  return AtBoundary<&api::ZanToolboxVersion>(kInfo, version);
}

extern "C" KELMOD_API ErrorCode ZanGetErrorMessage(int32_t code, MessageRecord* message) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetErrorMessage", .args = "code,message"};
  return AtBoundary<&api::ZanGetErrorMessage>(kInfo, code, message);
}

extern "C" KELMOD_API ErrorCode ZanFillInterface(char* record, int32_t length) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanFillInterface", .args = "record,length"};
  return AtBoundary<&api::ZanFillInterface>(kInfo, record, length);
}

extern "C" KELMOD_API ErrorCode ZanDescribeInterface(int32_t mode, char** value) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanDescribeInterface", .args = "mode,value"};
  return AtBoundary<&api::ZanDescribeInterface>(kInfo, mode, value);
}

extern "C" KELMOD_API ErrorCode ZanCreateTable(int32_t type, char* name, char* key, char* setIndexPath, char* definitionPath) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateTable", .args = "type,name,key,setIndexPath,definitionPath"};
  return AtBoundary<&api::ZanCreateTable>(kInfo, type, name, key, setIndexPath, definitionPath);
}

extern "C" KELMOD_API ErrorCode ZanCreateFillTable(int32_t type, char* name, char* key, char* setIndexPath, char* definitionPath, char* data, int32_t length) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateFillTable", .args = "type,name,key,setIndexPath,definitionPath,data,length"};
  return AtBoundary<&api::ZanCreateFillTable>(kInfo, type, name, key, setIndexPath, definitionPath, data, length);
}

extern "C" KELMOD_API ErrorCode ZanFillTable(int32_t type, char* data, int32_t length) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanFillTable", .args = "type,data,length"};
  return AtBoundary<&api::ZanFillTable>(kInfo, type, data, length);
}

extern "C" KELMOD_API ErrorCode ZanCreateSendstr(char** sendString) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateSendstr", .args = "sendString"};
  return AtBoundary<&api::ZanCreateSendstr>(kInfo, sendString);
}

extern "C" KELMOD_API ErrorCode ZanCreateSendstrBomHead(int32_t type, char** sendString) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateSendstrBomHead", .args = "type,sendString"};
  return AtBoundary<&api::ZanCreateSendstrBomHead>(kInfo, type, sendString);
}

extern "C" KELMOD_API ErrorCode ZanGetTableValue(int32_t type, char* fieldName, int32_t record, char** value) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetTableValue", .args = "type,fieldName,record,value"};
  return AtBoundary<&api::ZanGetTableValue>(kInfo, type, fieldName, record, value);
}

extern "C" KELMOD_API ErrorCode ZanWriteTableValue(int32_t type, char* fieldName, char* value, int32_t record) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanWriteTableValue", .args = "type,fieldName,value,record"};
  return AtBoundary<&api::ZanWriteTableValue>(kInfo, type, fieldName, value, record);
}

extern "C" KELMOD_API ErrorCode ZanModifyTableValue(int32_t type, char* fieldName, char* value, int32_t record) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanModifyTableValue", .args = "type,fieldName,value,record"};
  return AtBoundary<&api::ZanModifyTableValue>(kInfo, type, fieldName, value, record);
}

extern "C" KELMOD_API ErrorCode ZanDeleteTableEntry(int32_t type, int32_t record) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanDeleteTableEntry", .args = "type,record"};
  return AtBoundary<&api::ZanDeleteTableEntry>(kInfo, type, record);
}

extern "C" KELMOD_API ErrorCode ZanDescribeTable(int32_t type, char** count) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanDescribeTable", .args = "type,count"};
  return AtBoundary<&api::ZanDescribeTable>(kInfo, type, count);
}

extern "C" KELMOD_API ErrorCode ZanGetAttributName(int32_t direction, char* name, char* key, char* setIndexPath, char* definitionPath, int32_t n, AttributeRecord* attribute) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetAttributName", .args = "direction,name,key,setIndexPath,definitionPath,n,attribute"};
  return AtBoundary<&api::ZanGetAttributName>(kInfo, direction, name, key, setIndexPath, definitionPath, n, attribute);
}

extern "C" KELMOD_API ErrorCode ZanGetAttributNameValue(int32_t type, int32_t fieldNumber, int32_t record, char* fieldName, char** value) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetAttributNameValue", .args = "type,fieldNumber,record,fieldName,value", .outBuffer = 3, .outBufferSize = 12};
  return AtBoundary<&api::ZanGetAttributNameValue>(kInfo, type, fieldNumber, record, fieldName, value);
}

extern "C" KELMOD_API ErrorCode ZanSearchAttribut(int32_t direction, char* name, char* key, char* setIndexPath, char* definitionPath, char* fieldName, AttributeRecord* attribute) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanSearchAttribut", .args = "direction,name,key,setIndexPath,definitionPath,fieldName,attribute"};
  return AtBoundary<&api::ZanSearchAttribut>(kInfo, direction, name, key, setIndexPath, definitionPath, fieldName, attribute);
}

extern "C" KELMOD_API ErrorCode ZanCreateFillUserTable(int32_t mode, int32_t fieldCount, char* data, int32_t length) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateFillUserTable", .args = "mode,fieldCount,data,length"};
  return AtBoundary<&api::ZanCreateFillUserTable>(kInfo, mode, fieldCount, data, length);
}

extern "C" KELMOD_API ErrorCode ZanWriteKonfiguration(int32_t mode, char* data, int32_t length, char* path) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanWriteKonfiguration", .args = "mode,data,length,path"};
  return AtBoundary<&api::ZanWriteKonfiguration>(kInfo, mode, data, length, path);
}

extern "C" KELMOD_API ErrorCode ZanPrintTable(int32_t type, char* path) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanPrintTable", .args = "type,path"};
  return AtBoundary<&api::ZanPrintTable>(kInfo, type, path);
}

extern "C" KELMOD_API ErrorCode ZanCreateHlpTable(int32_t mode, char* data, int32_t length) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateHlpTable", .args = "mode,data,length"};
  return AtBoundary<&api::ZanCreateHlpTable>(kInfo, mode, data, length);
}

extern "C" KELMOD_API ErrorCode ZanFillHlpTable(int32_t mode, char* data, int32_t length) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanFillHlpTable", .args = "mode,data,length"};
  return AtBoundary<&api::ZanFillHlpTable>(kInfo, mode, data, length);
}

extern "C" KELMOD_API ErrorCode ZanGetHlpData(int32_t mode, int32_t column, int32_t line, CharacteristicData* data) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetHlpData", .args = "mode,column,line,data"};
  return AtBoundary<&api::ZanGetHlpData>(kInfo, mode, column, line, data);
}

extern "C" KELMOD_API ErrorCode ZanGetHlpDescription(int32_t mode, char** value) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetHlpDescription", .args = "mode,value"};
  return AtBoundary<&api::ZanGetHlpDescription>(kInfo, mode, value);
}

extern "C" KELMOD_API ErrorCode ZanFindHelpTable(char* name, char* key, char* fieldName, char* setIndexPath, char* definitionPathU, char* definitionPathD, char* direction) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanFindHelpTable", .args = "name,key,fieldName,setIndexPath,definitionPathU,definitionPathD,direction", .outBuffer = 6, .outBufferSize = 1};
  return AtBoundary<&api::ZanFindHelpTable>(kInfo, name, key, fieldName, setIndexPath, definitionPathU, definitionPathD, direction);
}

extern "C" KELMOD_API ErrorCode ZanCreateFillTableMcd(int32_t mode, char* data, int32_t length) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateFillTableMcd", .args = "mode,data,length"};
  return AtBoundary<&api::ZanCreateFillTableMcd>(kInfo, mode, data, length);
}

extern "C" KELMOD_API ErrorCode ZanCreateSendstrMcd(int32_t mode, char* reserved1, char* reserved2, char** sendString) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateSendstrMcd", .args = "mode,reserved1,reserved2,sendString"};
  return AtBoundary<&api::ZanCreateSendstrMcd>(kInfo, mode, reserved1, reserved2, sendString);
}

extern "C" KELMOD_API ErrorCode ZanGetMcdValue(char* attribute, int32_t record, char** value) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetMcdValue", .args = "attribute,record,value"};
  return AtBoundary<&api::ZanGetMcdValue>(kInfo, attribute, record, value);
}

extern "C" KELMOD_API ErrorCode ZanGetMcdDescription(int32_t mode, char** count) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetMcdDescription", .args = "mode,count"};
  return AtBoundary<&api::ZanGetMcdDescription>(kInfo, mode, count);
}

extern "C" KELMOD_API ErrorCode ZanWriteMcdValue(int32_t mode, int32_t record, char* value) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanWriteMcdValue", .args = "mode,record,value"};
  return AtBoundary<&api::ZanWriteMcdValue>(kInfo, mode, record, value);
}

extern "C" KELMOD_API ErrorCode ZanCreateSendstrHelp(char* part1, char* part2, char* part3, char* part4, char** sendString) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateSendstrHelp", .args = "part1,part2,part3,part4,sendString"};
  return AtBoundary<&api::ZanCreateSendstrHelp>(kInfo, part1, part2, part3, part4, sendString);
}

extern "C" KELMOD_API ErrorCode ZanCreateSendstrMessageK4(char* message, int32_t length, char** sendString) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateSendstrMessageK4", .args = "message,length,sendString"};
  return AtBoundary<&api::ZanCreateSendstrMessageK4>(kInfo, message, length, sendString);
}

extern "C" KELMOD_API ErrorCode ZanCreateFillClasTableK4(int32_t mode, char* data, int32_t length, int32_t* count) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateFillClasTableK4", .args = "mode,data,length,count"};
  return AtBoundary<&api::ZanCreateFillClasTableK4>(kInfo, mode, data, length, count);
}

extern "C" KELMOD_API ErrorCode ZanCreateFillClasHierarchTableK4(int32_t mode, char* data, int32_t length, int32_t* count) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateFillClasHierarchTableK4", .args = "mode,data,length,count"};
  return AtBoundary<&api::ZanCreateFillClasHierarchTableK4>(kInfo, mode, data, length, count);
}

extern "C" KELMOD_API ErrorCode ZanCreateSendstrClasK4(char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char* v7, char* v8, char** sendString) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateSendstrClasK4", .args = "v1,v2,v3,v4,v5,v6,v7,v8,sendString"};
  return AtBoundary<&api::ZanCreateSendstrClasK4>(kInfo, v1, v2, v3, v4, v5, v6, v7, v8, sendString);
}

extern "C" KELMOD_API ErrorCode ZanCreateSendstrClasScopeK4(char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char** sendString) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateSendstrClasScopeK4", .args = "v1,v2,v3,v4,v5,v6,sendString"};
  return AtBoundary<&api::ZanCreateSendstrClasScopeK4>(kInfo, v1, v2, v3, v4, v5, v6, sendString);
}

extern "C" KELMOD_API ErrorCode ZanCreateSendstrClasSelectK4(char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char* v7, char* v8, char* v9, char* v10, char* v11, char** sendString) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateSendstrClasSelectK4", .args = "v1,v2,v3,v4,v5,v6,v7,v8,v9,v10,v11,sendString"};
  return AtBoundary<&api::ZanCreateSendstrClasSelectK4>(kInfo, v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11, sendString);
}

extern "C" KELMOD_API ErrorCode ZanCreateSendstrClasSelScopeK4(char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char* v7, char* v8, char** sendString) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateSendstrClasSelScopeK4", .args = "v1,v2,v3,v4,v5,v6,v7,v8,sendString"};
  return AtBoundary<&api::ZanCreateSendstrClasSelScopeK4>(kInfo, v1, v2, v3, v4, v5, v6, v7, v8, sendString);
}

extern "C" KELMOD_API ErrorCode ZanCreateSendstrClasSearchK4(int32_t mode, char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char* v7, char** sendString) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateSendstrClasSearchK4", .args = "mode,v1,v2,v3,v4,v5,v6,v7,sendString"};
  return AtBoundary<&api::ZanCreateSendstrClasSearchK4>(kInfo, mode, v1, v2, v3, v4, v5, v6, v7, sendString);
}

extern "C" KELMOD_API ErrorCode ZanGetClasDataK4(int32_t mode, int32_t record, char** values) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetClasDataK4", .args = "mode,record,values", .textCount = 5};
  return AtBoundary<&api::ZanGetClasDataK4>(kInfo, mode, record, values);
}

extern "C" KELMOD_API ErrorCode ZanGetClasHierarchDataK4(int32_t mode, int32_t record, char** values) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetClasHierarchDataK4", .args = "mode,record,values", .textCount = 6};
  return AtBoundary<&api::ZanGetClasHierarchDataK4>(kInfo, mode, record, values);
}

extern "C" KELMOD_API ErrorCode ZanGetClasSearchDataK4(int32_t mode, int32_t record, char** values) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetClasSearchDataK4", .args = "mode,record,values", .textCount = 22};
  return AtBoundary<&api::ZanGetClasSearchDataK4>(kInfo, mode, record, values);
}

extern "C" KELMOD_API ErrorCode ZanGetObjectDataK4(int32_t mode, int32_t record, char** values) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetObjectDataK4", .args = "mode,record,values", .textCount = 14};
  return AtBoundary<&api::ZanGetObjectDataK4>(kInfo, mode, record, values);
}

extern "C" KELMOD_API ErrorCode ZanCreateMailTable(int32_t mailType, char* data, int32_t length) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateMailTable", .args = "mailType,data,length"};
  return AtBoundary<&api::ZanCreateMailTable>(kInfo, mailType, data, length);
}

extern "C" KELMOD_API ErrorCode ZanDescribeMailTable(int32_t mailType, char** count) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanDescribeMailTable", .args = "mailType,count"};
  return AtBoundary<&api::ZanDescribeMailTable>(kInfo, mailType, count);
}

extern "C" KELMOD_API ErrorCode ZanGetMailData(int32_t mailType, int32_t position, char* fieldName, int32_t valueNumber, char** value) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetMailData", .args = "mailType,position,fieldName,valueNumber,value"};
  return AtBoundary<&api::ZanGetMailData>(kInfo, mailType, position, fieldName, valueNumber, value);
}

extern "C" KELMOD_API ErrorCode ZanWriteMailValue(int32_t mailType, int32_t position, char* fieldName, int32_t valueNumber, char* value) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanWriteMailValue", .args = "mailType,position,fieldName,valueNumber,value"};
  return AtBoundary<&api::ZanWriteMailValue>(kInfo, mailType, position, fieldName, valueNumber, value);
}

extern "C" KELMOD_API ErrorCode ZanCreateSendstrMail(int32_t mode, int32_t mail, char** sendString) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateSendstrMail", .args = "mode,mail,sendString"};
  return AtBoundary<&api::ZanCreateSendstrMail>(kInfo, mode, mail, sendString);
}

extern "C" KELMOD_API ErrorCode ZanCreateSmlTable(int32_t mode, char* data, int32_t length) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateSmlTable", .args = "mode,data,length"};
  return AtBoundary<&api::ZanCreateSmlTable>(kInfo, mode, data, length);
}

extern "C" KELMOD_API ErrorCode ZanFillSmlTable(int32_t mode, char* data, int32_t length) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanFillSmlTable", .args = "mode,data,length"};
  return AtBoundary<&api::ZanFillSmlTable>(kInfo, mode, data, length);
}

extern "C" KELMOD_API ErrorCode ZanDeleteSmlSelection(void) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanDeleteSmlSelection", .args = ""};
  return AtBoundary<&api::ZanDeleteSmlSelection>(kInfo);
}

extern "C" KELMOD_API ErrorCode ZanGetSmlDescription(int32_t type, char** value) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetSmlDescription", .args = "type,value"};
  return AtBoundary<&api::ZanGetSmlDescription>(kInfo, type, value);
}

extern "C" KELMOD_API ErrorCode ZanGetSmlData(int32_t type, int32_t position, int32_t valueNumber, CharacteristicData* data) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetSmlData", .args = "type,position,valueNumber,data"};
  return AtBoundary<&api::ZanGetSmlData>(kInfo, type, position, valueNumber, data);
}

extern "C" KELMOD_API ErrorCode ZanGetSmlAttributData(int32_t kind, char* key, int32_t valueNumber, CharacteristicData* data) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetSmlAttributData", .args = "kind,key,valueNumber,data"};
  return AtBoundary<&api::ZanGetSmlAttributData>(kInfo, kind, key, valueNumber, data);
}

extern "C" KELMOD_API ErrorCode ZanWriteSmlValue(int32_t type, int32_t position, char* name, int32_t code, char* text, int32_t valueNumber) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanWriteSmlValue", .args = "type,position,name,code,text,valueNumber"};
  return AtBoundary<&api::ZanWriteSmlValue>(kInfo, type, position, name, code, text, valueNumber);
}

extern "C" KELMOD_API ErrorCode ZanCreateSendstrSml(int32_t mode, char** sendString) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateSendstrSml", .args = "mode,sendString"};
  return AtBoundary<&api::ZanCreateSendstrSml>(kInfo, mode, sendString);
}

extern "C" KELMOD_API ErrorCode ZanGetSmlDataK4(int32_t mode, int32_t position, int32_t number, SmlCharacteristicData* data) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetSmlDataK4", .args = "mode,position,number,data"};
  return AtBoundary<&api::ZanGetSmlDataK4>(kInfo, mode, position, number, data);
}

extern "C" KELMOD_API ErrorCode ZanGetSmlAttributDataK4(int32_t kind, char* key, int32_t valueNumber, SmlCharacteristicData* data) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetSmlAttributDataK4", .args = "kind,key,valueNumber,data"};
  return AtBoundary<&api::ZanGetSmlAttributDataK4>(kInfo, kind, key, valueNumber, data);
}

extern "C" KELMOD_API ErrorCode ZanGetSmlDataValueK4(int32_t mode, char* name, int32_t index, int32_t objectNumber, int32_t valueNumber, char** value) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetSmlDataValueK4", .args = "mode,name,index,objectNumber,valueNumber,value"};
  return AtBoundary<&api::ZanGetSmlDataValueK4>(kInfo, mode, name, index, objectNumber, valueNumber, value);
}

extern "C" KELMOD_API ErrorCode ZanGetSmlValueDescriptionK4(int32_t mode, int32_t objectNumber, char* name, int32_t* count) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanGetSmlValueDescriptionK4", .args = "mode,objectNumber,name,count"};
  return AtBoundary<&api::ZanGetSmlValueDescriptionK4>(kInfo, mode, objectNumber, name, count);
}

extern "C" KELMOD_API ErrorCode ZanCreateFillPosSmlValueTableK4(int32_t mode, char* data, int32_t length) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateFillPosSmlValueTableK4", .args = "mode,data,length"};
  return AtBoundary<&api::ZanCreateFillPosSmlValueTableK4>(kInfo, mode, data, length);
}

extern "C" KELMOD_API ErrorCode ZanCreateSendstrPosSmlValuesK4(int32_t mode, char** sendString) {
  static constexpr trace::ExportInfo kInfo{.name = "ZanCreateSendstrPosSmlValuesK4", .args = "mode,sendString"};
  return AtBoundary<&api::ZanCreateSendstrPosSmlValuesK4>(kInfo, mode, sendString);
}
