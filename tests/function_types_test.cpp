// Each function-pointer type of kelmod.h is exactly the type of its function.
#include <gtest/gtest.h>

#include <type_traits>

#include "kelmod.h"

namespace {

static_assert(std::is_same_v<ZanInitToolbox_t, decltype(&ZanInitToolbox)>);
static_assert(std::is_same_v<ZanConfigureToolbox_t, decltype(&ZanConfigureToolbox)>);
static_assert(std::is_same_v<ZanToolboxVersion_t, decltype(&ZanToolboxVersion)>);
static_assert(std::is_same_v<ZanGetErrorMessage_t, decltype(&ZanGetErrorMessage)>);
static_assert(std::is_same_v<ZanFillInterface_t, decltype(&ZanFillInterface)>);
static_assert(std::is_same_v<ZanDescribeInterface_t, decltype(&ZanDescribeInterface)>);
static_assert(std::is_same_v<ZanCreateTable_t, decltype(&ZanCreateTable)>);
static_assert(std::is_same_v<ZanCreateFillTable_t, decltype(&ZanCreateFillTable)>);
static_assert(std::is_same_v<ZanFillTable_t, decltype(&ZanFillTable)>);
static_assert(std::is_same_v<ZanCreateSendstr_t, decltype(&ZanCreateSendstr)>);
static_assert(std::is_same_v<ZanCreateSendstrBomHead_t, decltype(&ZanCreateSendstrBomHead)>);
static_assert(std::is_same_v<ZanGetTableValue_t, decltype(&ZanGetTableValue)>);
static_assert(std::is_same_v<ZanWriteTableValue_t, decltype(&ZanWriteTableValue)>);
static_assert(std::is_same_v<ZanModifyTableValue_t, decltype(&ZanModifyTableValue)>);
static_assert(std::is_same_v<ZanDeleteTableEntry_t, decltype(&ZanDeleteTableEntry)>);
static_assert(std::is_same_v<ZanDescribeTable_t, decltype(&ZanDescribeTable)>);
static_assert(std::is_same_v<ZanGetAttributName_t, decltype(&ZanGetAttributName)>);
static_assert(std::is_same_v<ZanGetAttributNameValue_t, decltype(&ZanGetAttributNameValue)>);
static_assert(std::is_same_v<ZanSearchAttribut_t, decltype(&ZanSearchAttribut)>);
static_assert(std::is_same_v<ZanCreateFillUserTable_t, decltype(&ZanCreateFillUserTable)>);
static_assert(std::is_same_v<ZanWriteKonfiguration_t, decltype(&ZanWriteKonfiguration)>);
static_assert(std::is_same_v<ZanPrintTable_t, decltype(&ZanPrintTable)>);
static_assert(std::is_same_v<ZanCreateHlpTable_t, decltype(&ZanCreateHlpTable)>);
static_assert(std::is_same_v<ZanFillHlpTable_t, decltype(&ZanFillHlpTable)>);
static_assert(std::is_same_v<ZanGetHlpData_t, decltype(&ZanGetHlpData)>);
static_assert(std::is_same_v<ZanGetHlpDescription_t, decltype(&ZanGetHlpDescription)>);
static_assert(std::is_same_v<ZanFindHelpTable_t, decltype(&ZanFindHelpTable)>);
static_assert(std::is_same_v<ZanCreateFillTableMcd_t, decltype(&ZanCreateFillTableMcd)>);
static_assert(std::is_same_v<ZanCreateSendstrMcd_t, decltype(&ZanCreateSendstrMcd)>);
static_assert(std::is_same_v<ZanGetMcdValue_t, decltype(&ZanGetMcdValue)>);
static_assert(std::is_same_v<ZanGetMcdDescription_t, decltype(&ZanGetMcdDescription)>);
static_assert(std::is_same_v<ZanWriteMcdValue_t, decltype(&ZanWriteMcdValue)>);
static_assert(std::is_same_v<ZanCreateSendstrHelp_t, decltype(&ZanCreateSendstrHelp)>);
static_assert(std::is_same_v<ZanCreateSendstrMessageK4_t, decltype(&ZanCreateSendstrMessageK4)>);
static_assert(std::is_same_v<ZanCreateFillClasTableK4_t, decltype(&ZanCreateFillClasTableK4)>);
static_assert(std::is_same_v<ZanCreateFillClasHierarchTableK4_t, decltype(&ZanCreateFillClasHierarchTableK4)>);
static_assert(std::is_same_v<ZanCreateSendstrClasK4_t, decltype(&ZanCreateSendstrClasK4)>);
static_assert(std::is_same_v<ZanCreateSendstrClasScopeK4_t, decltype(&ZanCreateSendstrClasScopeK4)>);
static_assert(std::is_same_v<ZanCreateSendstrClasSelectK4_t, decltype(&ZanCreateSendstrClasSelectK4)>);
static_assert(std::is_same_v<ZanCreateSendstrClasSelScopeK4_t, decltype(&ZanCreateSendstrClasSelScopeK4)>);
static_assert(std::is_same_v<ZanCreateSendstrClasSearchK4_t, decltype(&ZanCreateSendstrClasSearchK4)>);
static_assert(std::is_same_v<ZanGetClasDataK4_t, decltype(&ZanGetClasDataK4)>);
static_assert(std::is_same_v<ZanGetClasHierarchDataK4_t, decltype(&ZanGetClasHierarchDataK4)>);
static_assert(std::is_same_v<ZanGetClasSearchDataK4_t, decltype(&ZanGetClasSearchDataK4)>);
static_assert(std::is_same_v<ZanGetObjectDataK4_t, decltype(&ZanGetObjectDataK4)>);
static_assert(std::is_same_v<ZanCreateMailTable_t, decltype(&ZanCreateMailTable)>);
static_assert(std::is_same_v<ZanDescribeMailTable_t, decltype(&ZanDescribeMailTable)>);
static_assert(std::is_same_v<ZanGetMailData_t, decltype(&ZanGetMailData)>);
static_assert(std::is_same_v<ZanWriteMailValue_t, decltype(&ZanWriteMailValue)>);
static_assert(std::is_same_v<ZanCreateSendstrMail_t, decltype(&ZanCreateSendstrMail)>);
static_assert(std::is_same_v<ZanCreateSmlTable_t, decltype(&ZanCreateSmlTable)>);
static_assert(std::is_same_v<ZanFillSmlTable_t, decltype(&ZanFillSmlTable)>);
static_assert(std::is_same_v<ZanDeleteSmlSelection_t, decltype(&ZanDeleteSmlSelection)>);
static_assert(std::is_same_v<ZanGetSmlDescription_t, decltype(&ZanGetSmlDescription)>);
static_assert(std::is_same_v<ZanGetSmlData_t, decltype(&ZanGetSmlData)>);
static_assert(std::is_same_v<ZanGetSmlAttributData_t, decltype(&ZanGetSmlAttributData)>);
static_assert(std::is_same_v<ZanWriteSmlValue_t, decltype(&ZanWriteSmlValue)>);
static_assert(std::is_same_v<ZanCreateSendstrSml_t, decltype(&ZanCreateSendstrSml)>);
static_assert(std::is_same_v<ZanGetSmlDataK4_t, decltype(&ZanGetSmlDataK4)>);
static_assert(std::is_same_v<ZanGetSmlAttributDataK4_t, decltype(&ZanGetSmlAttributDataK4)>);
static_assert(std::is_same_v<ZanGetSmlDataValueK4_t, decltype(&ZanGetSmlDataValueK4)>);
static_assert(std::is_same_v<ZanGetSmlValueDescriptionK4_t, decltype(&ZanGetSmlValueDescriptionK4)>);
static_assert(std::is_same_v<ZanCreateFillPosSmlValueTableK4_t, decltype(&ZanCreateFillPosSmlValueTableK4)>);
static_assert(std::is_same_v<ZanCreateSendstrPosSmlValuesK4_t, decltype(&ZanCreateSendstrPosSmlValuesK4)>);

TEST(FunctionTypes, ThereIsOneForEachOfTheSixtyFourFunctions) {
  // The static_asserts above are the test; this counts them.
  constexpr int kTypes = 64;
  EXPECT_EQ(kTypes, 64);
}

}  // namespace
