/* The sizes and member offsets kelmod.h states for the four records, as the
 * C compiler of this platform lays them out (32-bit and 64-bit figures). */
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#include "kelmod.h"

static int failures = 0;

static void expect(const char* what, size_t actual, size_t wanted32, size_t wanted64) {
    const size_t wanted = sizeof(void*) == 4 ? wanted32 : wanted64;
    if (actual != wanted) {
        printf("%s is %u, kelmod.h says %u\n", what, (unsigned)actual, (unsigned)wanted);
        ++failures;
    }
}

#define SIZE(type, s32, s64) expect("sizeof(" #type ")", sizeof(type), s32, s64)
#define AT(type, member, o32, o64) \
    expect("offsetof(" #type ", " #member ")", offsetof(type, member), o32, o64)

int main(void) {
    SIZE(MessageRecord, 268, 268);
    AT(MessageRecord, code, 0, 0);
    AT(MessageRecord, type, 4, 4);
    AT(MessageRecord, shortText, 7, 7);
    AT(MessageRecord, longText, 44, 44);

    SIZE(AttributeRecord, 66, 66);
    AT(AttributeRecord, setName, 0, 0);
    AT(AttributeRecord, fieldName, 9, 9);
    AT(AttributeRecord, length, 21, 21);
    AT(AttributeRecord, description, 25, 25);

    SIZE(CharacteristicData, 52, 96);
    AT(CharacteristicData, name, 0, 0);
    AT(CharacteristicData, fieldName, 4, 8);
    AT(CharacteristicData, dinLetter, 8, 16);
    AT(CharacteristicData, input, 12, 24);
    AT(CharacteristicData, unit, 16, 32);
    AT(CharacteristicData, format, 20, 40);
    AT(CharacteristicData, template_, 24, 48);
    AT(CharacteristicData, selection, 28, 56);
    AT(CharacteristicData, parameter, 32, 64);
    AT(CharacteristicData, length, 36, 72);
    AT(CharacteristicData, width, 40, 76);
    AT(CharacteristicData, decimals, 44, 80);
    AT(CharacteristicData, value, 48, 88);

    SIZE(SmlCharacteristicData, 140, 272);
    AT(SmlCharacteristicData, name, 0, 0);
    AT(SmlCharacteristicData, description, 4, 8);
    AT(SmlCharacteristicData, mandatory, 8, 16);
    AT(SmlCharacteristicData, inherited, 12, 24);
    AT(SmlCharacteristicData, valuated, 16, 32);
    AT(SmlCharacteristicData, dataType, 20, 40);
    AT(SmlCharacteristicData, singleValue, 24, 48);
    AT(SmlCharacteristicData, interval, 28, 56);
    AT(SmlCharacteristicData, additionalValues, 32, 64);
    AT(SmlCharacteristicData, digits, 36, 72);
    AT(SmlCharacteristicData, decimals, 40, 76);
    AT(SmlCharacteristicData, sign, 44, 80);
    AT(SmlCharacteristicData, exponentDisplay, 48, 88);
    AT(SmlCharacteristicData, exponentFormat, 52, 96);
    AT(SmlCharacteristicData, template_, 56, 104);
    AT(SmlCharacteristicData, lowerCase, 60, 112);
    AT(SmlCharacteristicData, unit, 64, 120);
    AT(SmlCharacteristicData, dinLetter, 68, 128);
    AT(SmlCharacteristicData, documentType, 72, 136);
    AT(SmlCharacteristicData, documentNumber, 76, 144);
    AT(SmlCharacteristicData, documentPart, 80, 152);
    AT(SmlCharacteristicData, documentVersion, 84, 160);
    AT(SmlCharacteristicData, view0, 88, 168);
    AT(SmlCharacteristicData, view1, 92, 176);
    AT(SmlCharacteristicData, view2, 96, 184);
    AT(SmlCharacteristicData, view3, 100, 192);
    AT(SmlCharacteristicData, view4, 104, 200);
    AT(SmlCharacteristicData, view5, 108, 208);
    AT(SmlCharacteristicData, view6, 112, 216);
    AT(SmlCharacteristicData, view7, 116, 224);
    AT(SmlCharacteristicData, view8, 120, 232);
    AT(SmlCharacteristicData, view9, 124, 240);
    AT(SmlCharacteristicData, sendText1, 128, 248);
    AT(SmlCharacteristicData, sendText2, 132, 256);
    AT(SmlCharacteristicData, value, 136, 264);

    if (failures == 0) printf("every record laid out as kelmod.h states (%u-bit)\n",
                              (unsigned)(sizeof(void*) * 8));
    return failures == 0 ? 0 : 1;
}
