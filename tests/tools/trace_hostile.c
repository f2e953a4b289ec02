/* A host that hands the toolbox hostile input: null pointers, texts of
 * 10 000 characters, every byte value from 1 to 255, lengths that lie. Run
 * with KELMOD_TRACE set, it says on standard output what it passed and what
 * it got back, one line each, so that a test can hold every line of the
 * trace against it:
 *   CALL <export> <code>
 *   ARG <name> null | <hex of the text>      (before the call)
 *   RESULT <name> null | <hex of the text>   (a text handed back)
 *   CHANGED <name> <hex of the text>         (a text changed in place)
 *   INT <name> <number>                      (an integer written through a pointer)
 *   UNTOUCHED <name> <number>                (an integer the call left as it was)
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "kelmod.h"

static void hex(const char* label, const char* name, const char* text) {
    printf("%s %s ", label, name);
    if (text == NULL) {
        printf("null\n");
        return;
    }
    for (const unsigned char* p = (const unsigned char*)text; *p; ++p) printf("%02x", *p);
    printf("\n");
}

static void call(const char* name, ErrorCode code) { printf("CALL %s %d\n", name, (int)code); }

/* A writable copy of a text, to compare with after the call. */
static char* copy(const char* text) {
    char* out = malloc(strlen(text) + 1);
    if (out == NULL) exit(3);
    strcpy(out, text);
    return out;
}

static void changed(const char* name, const char* before, const char* after) {
    if (strcmp(before, after) != 0) hex("CHANGED", name, after);
}

int main(void) {
    /* Every byte but NUL, twice, and a text of 10 000 characters. */
    char all[511];
    for (int i = 0; i < 510; ++i) all[i] = (char)(1 + i % 255);
    all[510] = '\0';
    char* longText = malloc(10001);
    if (longText == NULL) return 3;
    for (int i = 0; i < 10000; ++i) longText[i] = (char)('A' + i % 26);
    longText[10000] = '\0';

    call("ZanInitToolbox", ZanInitToolbox(1));

    char record[] = "46C   ;\x01\x7f\xff\"\\";
    call("ZanFillInterface", ZanFillInterface(record, 1000));
    hex("ARG", "record", record);

    call("ZanConfigureToolbox", ZanConfigureToolbox(1, NULL));
    hex("ARG", "path", NULL);

    char key[] = "01";
    call("ZanCreateTable", ZanCreateTable(1, NULL, key, NULL, NULL));
    hex("ARG", "name", NULL);
    hex("ARG", "key", key);

    /* A user table of three fields whose values hold every byte; the
     * length claims far more than the text holds. */
    char data[2048];
    snprintf(data, sizeof data, "%s;%.300s;x\x80y;", all + 1, longText);
    char* sent = copy(data);
    call("ZanCreateFillUserTable", ZanCreateFillUserTable(1, 3, data, 100000));
    hex("ARG", "data", sent);
    changed("data", sent, data);
    free(sent);

    char field[] = " PARA1 ";
    char* value = NULL;
    for (int record_ = 1; record_ <= 2; ++record_) {
        char* before = copy(field);
        ErrorCode code = ZanGetTableValue(10, field, record_, &value);
        call("ZanGetTableValue", code);
        hex("ARG", "fieldName", before);
        if (code == 0) hex("RESULT", "value", value);
        changed("fieldName", before, field);
        free(before);
    }
    call("ZanGetTableValue", ZanGetTableValue(10, NULL, 1, &value));
    call("ZanGetTableValue", ZanGetTableValue(10, field, 1, NULL));

    char field2[] = "PARA2";
    char* big = copy(longText);
    call("ZanWriteTableValue", ZanWriteTableValue(10, field2, big, 1));
    hex("ARG", "value", longText);
    changed("value", longText, big);
    free(big);

    char binary[sizeof all];
    memcpy(binary, all, sizeof all);
    call("ZanWriteTableValue", ZanWriteTableValue(10, field2, binary, 2));
    hex("ARG", "value", all);
    changed("value", all, binary);

    char fieldName[12];
    memset(fieldName, 0xAA, sizeof fieldName);
    ErrorCode code = ZanGetAttributNameValue(10, 2, 1, fieldName, &value);
    call("ZanGetAttributNameValue", code);
    if (code == 0) {
        hex("RESULT", "fieldName", fieldName);
        hex("RESULT", "value", value);
    }

    char* count = NULL;
    code = ZanDescribeTable(10, &count);
    call("ZanDescribeTable", code);
    if (code == 0) hex("RESULT", "count", count);
    call("ZanDescribeTable", ZanDescribeTable(10, NULL));

    MessageRecord message;
    call("ZanGetErrorMessage", ZanGetErrorMessage(41, NULL));
    call("ZanGetErrorMessage", ZanGetErrorMessage(41, &message));

    CharacteristicData characteristic;
    memset(&characteristic, 0, sizeof characteristic);
    call("ZanGetHlpData", ZanGetHlpData(1, 1, 1, NULL));
    call("ZanGetHlpData", ZanGetHlpData(1, 1, 1, &characteristic));

    char list[600];
    snprintf(list, sizeof list, "%.250s;", all);
    sent = copy(list);
    call("ZanCreateHlpTable", ZanCreateHlpTable(2, list, -5));
    hex("ARG", "data", sent);
    changed("data", sent, list);
    call("ZanCreateHlpTable", ZanCreateHlpTable(2, list, (int32_t)strlen(list)));
    hex("ARG", "data", sent);
    changed("data", sent, list);
    free(sent);
    code = ZanGetHlpData(1, 1, 1, &characteristic);
    call("ZanGetHlpData", code);
    if (code == 0) {
        hex("RESULT", "data.name", characteristic.name);
        hex("RESULT", "data.value", characteristic.value);
    }

    /* A class table of records that run out before their fifth value. */
    char classes[] = "C1;F\xe9;A;I;U;C2;F2;";
    int32_t started = -7;
    call("ZanCreateFillClasTableK4", ZanCreateFillClasTableK4(1, classes, 1000, &started));
    hex("ARG", "data", "C1;F\xe9;A;I;U;C2;F2;");
    printf("INT count %d\n", (int)started);
    /* A length below 1 leaves the count untouched: the trace must too. */
    started = -7;
    call("ZanCreateFillClasTableK4", ZanCreateFillClasTableK4(2, classes, 0, &started));
    printf("UNTOUCHED count %d\n", (int)started);
    char* values[5] = {0};
    code = ZanGetClasDataK4(1, 1, values);
    call("ZanGetClasDataK4", code);
    if (code == 0)
        for (int i = 0; i < 5; ++i) hex("RESULT", "values", values[i]);
    call("ZanGetClasDataK4", ZanGetClasDataK4(1, 1, NULL));
    call("ZanGetClasDataK4", ZanGetClasDataK4(1, 99, values));

    call("ZanDeleteSmlSelection", ZanDeleteSmlSelection());
    call("ZanInitToolbox", ZanInitToolbox(2));
    free(longText);
    return 0;
}
