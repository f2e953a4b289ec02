/* A C99 host that calls each of the 64 exports of kelmod.h, with valid or
 * null arguments, and checks the code each one answers. */
#include <stdio.h>
#include <string.h>

#include "kelmod.h"

static int failures = 0;

static void check(int line, const char* call, ErrorCode got, ErrorCode want) {
    if (got == want) return;
    fprintf(stderr, "line %d: %s gave %d, not %d\n", line, call, (int)got, (int)want);
    ++failures;
}
static void checkText(int line, const char* text, const char* want) {
    if (text != NULL && strcmp(text, want) == 0) return;
    fprintf(stderr, "line %d: text \"%s\", not \"%s\"\n", line, text ? text : "(null)", want);
    ++failures;
}
#define EXPECT(call, code) check(__LINE__, #call, (call), (code))
#define EXPECT_TEXT(text, want) checkText(__LINE__, (text), (want))

int main(void) {
    char *text = NULL, *values[22];
    char interfaceRecord[] = "46C   ;           ", message[] = "E01234 text";
    char name[] = "MAT01", key[] = "01", missing[] = "no-such-file.dat", field[12] = "PARNAM";
    char data[] = "A;B;", mail[] = "P1;V1;", value[] = "W", empty[] = "";
    char a[] = "a", b[] = "b", c[] = "c", d[] = "d";
    int32_t count = -7;
    MessageRecord messageRecord;
    AttributeRecord attribute;
    CharacteristicData characteristic;
    SmlCharacteristicData smlCharacteristic;

    /* Toolbox core */
    EXPECT(ZanInitToolbox(1), 0);
    EXPECT(ZanToolboxVersion(NULL), 78);
    EXPECT(ZanFillInterface(NULL, 5), 78);
    EXPECT(ZanFillInterface(interfaceRecord, (int32_t)strlen(interfaceRecord)), 0);
    EXPECT(ZanDescribeInterface(1, NULL), 78);
    EXPECT(ZanDescribeInterface(1, &text), 0);
    EXPECT_TEXT(text, ";");

    /* Generic record tables */
    EXPECT(ZanCreateTable(1, NULL, key, missing, missing), 78);
    EXPECT(ZanCreateFillTable(2, name, key, missing, missing, NULL, 5), 4);
    EXPECT(ZanFillTable(2, NULL, 5), 78);
    EXPECT(ZanCreateSendstr(NULL), 78);
    EXPECT(ZanCreateSendstrBomHead(7, NULL), 78);
    EXPECT(ZanGetTableValue(1, field, 1, NULL), 78);
    EXPECT(ZanWriteTableValue(1, field, value, 0), 48);
    EXPECT(ZanModifyTableValue(1, field, value, 0), 0);
    EXPECT(ZanDeleteTableEntry(2, 1), 39);
    EXPECT(ZanGetAttributName(1, name, key, missing, missing, 1, NULL), 78);
    EXPECT(ZanGetAttributNameValue(2, 1, 1, field, &text), 24);
    EXPECT(ZanSearchAttribut(1, name, key, missing, missing, field, NULL), 78);
    EXPECT(ZanSearchAttribut(1, name, key, missing, missing, field, &attribute), 58);
    EXPECT(ZanCreateFillUserTable(1, 2, data, 4), 0);
    EXPECT(ZanDescribeTable(10, &text), 0);
    EXPECT_TEXT(text, "1");
    EXPECT(ZanWriteKonfiguration(4, data, 4, missing), 3);
    EXPECT(ZanPrintTable(10, NULL), 0);

    /* Characteristic value lists */
    EXPECT(ZanCreateHlpTable(1, NULL, 0), 78);
    EXPECT(ZanFillHlpTable(1, data, 4), 19);
    EXPECT(ZanGetHlpData(1, 1, 1, &characteristic), 32);
    EXPECT(ZanGetHlpDescription(1, &text), 37);
    EXPECT(ZanFindHelpTable(name, key, field, missing, missing, missing, NULL), 78);
    EXPECT(ZanCreateFillTableMcd(1, NULL, 0), 78);
    EXPECT(ZanCreateSendstrMcd(1, a, b, &text), 10);
    EXPECT(ZanGetMcdValue(NULL, 1, &text), 78);
    EXPECT(ZanGetMcdDescription(1, &text), 29);
    EXPECT(ZanWriteMcdValue(1, 1, value), 54);
    EXPECT(ZanCreateSendstrHelp(a, b, c, d, &text), 0);
    EXPECT_TEXT(text, "a;b;c;d;");
    EXPECT(ZanCreateSendstrMessageK4(message, (int32_t)strlen(message), &text), 0);
    EXPECT_TEXT(text, "01;234;");

    /* Mail */
    EXPECT(ZanCreateMailTable(5, mail, (int32_t)strlen(mail)), 0);
    EXPECT(ZanDescribeMailTable(5, &text), 0);
    EXPECT_TEXT(text, "1");
    EXPECT(ZanGetMailData(5, 0, field, 1, &text), 0);
    EXPECT_TEXT(text, "P1");
    EXPECT(ZanWriteMailValue(5, 0, NULL, 1, value), 78);
    EXPECT(ZanCreateSendstrMail(1, 1, &text), 67);

    /* Characteristic bars (release family 5: the newer form) */
    EXPECT(ZanCreateSmlTable(1, NULL, 0), 78);
    EXPECT(ZanFillSmlTable(2, data, 4), 21);
    EXPECT(ZanDeleteSmlSelection(), 14);
    EXPECT(ZanGetSmlDescription(1, NULL), 78);
    EXPECT(ZanGetSmlData(1, 1, 1, &characteristic), 34);
    EXPECT(ZanGetSmlAttributData(1, a, 1, &characteristic), 30);
    EXPECT(ZanWriteSmlValue(1, 1, empty, 1, a, 0), 45);
    EXPECT(ZanCreateSendstrSml(1, &text), 9);
    EXPECT(ZanGetSmlDataK4(1, 1, 1, &smlCharacteristic), 34);
    EXPECT(ZanGetSmlAttributDataK4(1, a, 1, &smlCharacteristic), 30);
    EXPECT(ZanGetSmlDataValueK4(2, a, 0, 1, 1, &text), 34);
    EXPECT(ZanGetSmlValueDescriptionK4(2, 0, a, NULL), 78);
    EXPECT(ZanCreateFillPosSmlValueTableK4(1, NULL, 5), 83);
    EXPECT(ZanCreateSendstrPosSmlValuesK4(1, &text), 9);

    /* Classification */
    EXPECT(ZanCreateFillClasTableK4(1, NULL, 5, &count), 80);
    EXPECT(ZanCreateFillClasHierarchTableK4(1, data, 4, NULL), 80);
    EXPECT(ZanCreateSendstrClasK4(a, b, empty, empty, empty, empty, empty, empty, &text), 0);
    EXPECT_TEXT(text, "a;b;;;;;;;");
    EXPECT(ZanCreateSendstrClasScopeK4(a, b, c, d, a, b, NULL), 78);
    EXPECT(ZanCreateSendstrClasSearchK4(4, a, b, c, d, a, b, c, &text), 3);
    EXPECT(ZanCreateSendstrClasSelectK4(NULL, a, a, a, a, a, a, a, a, a, a, &text), 78);
    EXPECT(ZanCreateSendstrClasSelScopeK4(a, b, c, d, a, b, c, d, &text), 0);
    EXPECT_TEXT(text, "a;b;c;d;a;b;c;d;");
    EXPECT(ZanGetClasDataK4(1, 1, NULL), 78);
    EXPECT(ZanGetClasHierarchDataK4(1, 1, values), 76);
    EXPECT(ZanGetClasSearchDataK4(1, 1, values), 76);
    EXPECT(ZanGetObjectDataK4(1, 1, values), 34);

    EXPECT(ZanGetErrorMessage(3, &messageRecord), 0);
    EXPECT(ZanToolboxVersion(&text), 0);
    EXPECT_TEXT(text, "3.1G");
    EXPECT(ZanConfigureToolbox(2, missing), 0);
    EXPECT(ZanInitToolbox(2), 0);
    if (failures == 0) printf("all 64 exports answered\n");
    return failures == 0 ? 0 : 1;
}
