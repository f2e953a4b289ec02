/* kelmod.h compiles as C99 and the library links and runs from C. */
#include <stddef.h>
#include <stdio.h>
#include <string.h>

#include "kelmod.h"

#define CHECK(cond)                                              \
    do {                                                         \
        if (!(cond)) {                                           \
            fprintf(stderr, "failed: %s (line %d)\n", #cond, __LINE__); \
            return 1;                                            \
        }                                                        \
    } while (0)

int main(void) {
    char* text = NULL;
    char record[] = "50A XY,Z";
    MessageRecord message;

    CHECK(sizeof(AttributeRecord) == 66);
    CHECK(offsetof(AttributeRecord, fieldName) == 9);
    CHECK(offsetof(AttributeRecord, length) == 21);
    CHECK(offsetof(AttributeRecord, description) == 25);
    CHECK(offsetof(MessageRecord, type) == 4);
    CHECK(offsetof(MessageRecord, shortText) == 7);
    CHECK(offsetof(MessageRecord, longText) == 44);
    CHECK(sizeof(MessageRecord) >= 266);

    CHECK(ZanInitToolbox(1) == 0);
    CHECK(ZanToolboxVersion(&text) == 0 && strcmp(text, "3.1G") == 0);
    CHECK(ZanFillInterface(record, (int32_t)strlen(record)) == 0);
    CHECK(ZanDescribeInterface(1, &text) == 0 && strcmp(text, ",") == 0);
    CHECK(ZanGetErrorMessage(3, &message) == 0);
    CHECK(ZanDescribeTable(2, &text) == 16);
    CHECK(ZanInitToolbox(2) == 0);
    return 0;
}
