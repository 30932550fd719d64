#include "testdata/PacketGenerator.h"

#include "platform/CodePage.h"

#include <QDate>
#include <QFile>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zelmio::testdata {

namespace {

enum class K { Integer, SmallInt, Float, DateTime, Date, WideString, String, Blob, Bcd };
constexpr unsigned kRequired = 1;
constexpr unsigned kFixedLength = 2;

struct TFieldDef {
    const char *name;
    K kind;
    int size; // characters for strings, decimals for BCD, declared width for blobs (0: none)
    unsigned flags;
};

// The shell's record layout in stored order.
constexpr TFieldDef kFields[] = {
    {"ISN", K::Integer, 0, kRequired},
    {"ARTIKULS", K::WideString, 25, 0},
    {"PRECE", K::WideString, 250, kRequired},
    {"GNOS", K::WideString, 250, kRequired},
    {"LITRAZA", K::Float, 0, 0},
    {"ARTIKULS2", K::WideString, 13, 0},
    {"MERVIENIBA", K::WideString, 15, 0},
    {"MERV_UZLIME", K::WideString, 15, 0},
    {"PARDCENA1", K::Float, 0, 0},
    {"VALSTS", K::WideString, 40, 0},
    {"ARTIKULS3", K::WideString, 13, 0},
    {"ARTIKULS4", K::WideString, 13, 0},
    {"ARTIKULS5", K::WideString, 13, 0},
    {"ARTIKULS6", K::WideString, 13, 0},
    {"ARTIKULS7", K::WideString, 50, 0},
    {"DERDIENAS", K::Float, 0, 0},
    {"PREC_KOMENTARS", K::Blob, 8, 0},
    {"GNOS2", K::WideString, 250, 0},
    {"GNOS3", K::WideString, 250, 0},
    {"GNOS4", K::WideString, 250, 0},
    {"INOS", K::WideString, 250, 0},
    {"PRECE_RUS", K::WideString, 200, 0},
    {"GNOSUZLIME1", K::WideString, 60, 0},
    {"GNOSUZLIME2", K::WideString, 60, 0},
    {"VALSTS_RUS", K::WideString, 200, 0},
    {"GNOSPLZIME1", K::WideString, 60, 0},
    {"GNOSPLZIME2", K::WideString, 60, 0},
    {"PARDCENA2", K::Float, 0, 0},
    {"PARDCENA3", K::Float, 0, 0},
    {"PARDCENA4", K::Float, 0, 0},
    {"PARDCENA5", K::Float, 0, 0},
    {"PARDCENA6", K::Float, 0, 0},
    {"PARDCENA7", K::Float, 0, 0},
    {"PARDCENA8", K::Float, 0, 0},
    {"PARDCENA9", K::Float, 0, 0},
    {"PARDCENA10", K::Float, 0, 0},
    {"PARDCENA11", K::Float, 0, 0},
    {"PARDCENA12", K::Float, 0, 0},
    {"PARDCENA13", K::Float, 0, 0},
    {"PARDCENA14", K::Float, 0, 0},
    {"PARDCENA15", K::Float, 0, 0},
    {"PARDCENA16", K::Float, 0, 0},
    {"ISPRKLIENT", K::Integer, 0, 0},
    {"PARDCENA1BEZPVN", K::Float, 0, 0},
    {"PARDCENA2BEZPVN", K::Float, 0, 0},
    {"PARDCENA3BEZPVN", K::Float, 0, 0},
    {"PARDCENA4BEZPVN", K::Float, 0, 0},
    {"PARDCENA5BEZPVN", K::Float, 0, 0},
    {"PARDCENA6BEZPVN", K::Float, 0, 0},
    {"PARDCENA7BEZPVN", K::Float, 0, 0},
    {"PARDCENA8BEZPVN", K::Float, 0, 0},
    {"PARDCENA9BEZPVN", K::Float, 0, 0},
    {"PARDCENA10BEZPVN", K::Float, 0, 0},
    {"PARDCENA11BEZPVN", K::Float, 0, 0},
    {"PARDCENA12BEZPVN", K::Float, 0, 0},
    {"PARDCENA13BEZPVN", K::Float, 0, 0},
    {"PARDCENA14BEZPVN", K::Float, 0, 0},
    {"PARDCENA15BEZPVN", K::Float, 0, 0},
    {"PARDCENA16BEZPVN", K::Float, 0, 0},
    {"ALKOHOLS", K::Float, 0, 0},
    {"PAKALPOJ", K::WideString, 1, 0},
    {"SKKASTE", K::Float, 0, 0},
    {"GLABTEMP", K::WideString, 50, 0},
    {"MUITASKODS", K::WideString, 20, 0},
    {"KN_KODS", K::WideString, 30, 0},
    {"PREC_PVN", K::Float, 0, 0},
    {"BILDE", K::Blob, 8, 0},
    {"BILDE2", K::Blob, 8, 0},
    {"BILDE3", K::Blob, 8, 0},
    {"BILDE4", K::Blob, 8, 0},
    {"BILDE5", K::Blob, 8, 0},
    {"BILDE6", K::Blob, 8, 0},
    {"BILDE7", K::Blob, 8, 0},
    {"BILDE8", K::Blob, 8, 0},
    {"BILDE9", K::Blob, 8, 0},
    {"BILDE10", K::Blob, 8, 0},
    {"PR_GRUPA", K::WideString, 250, kRequired},
    {"PR_GRUPA2", K::WideString, 60, 0},
    {"PR_GRUPA_RUS", K::WideString, 200, 0},
    {"WWW_COMENT", K::Blob, 8, 0},
    {"WWW_COMENT2", K::Blob, 8, 0},
    {"WWW_COMENT3", K::Blob, 8, 0},
    {"PAPILDGRUPA1", K::WideString, 60, 0},
    {"AKCIJAS_VEIDS_1", K::WideString, 100, 0},
    {"AKCIJAS_VEIDS_2", K::WideString, 100, 0},
    {"VALSTS_KODS", K::WideString, 40, 0},
    {"PRIORITATE", K::WideString, 30, 0},
    {"AKCIZNOD", K::Float, 0, 0},
    {"KLIENTS", K::WideString, 250, kRequired},
    {"IDKODS", K::WideString, 30, 0},
    {"ADRESE", K::WideString, 250, 0},
    {"ADRESE2", K::WideString, 250, 0},
    {"REGNR", K::WideString, 15, 0},
    {"PVNKODS", K::WideString, 15, 0},
    {"KONTS", K::WideString, 30, 0},
    {"ISBANKA", K::Integer, 0, 0},
    {"TELEFONS", K::WideString, 30, 0},
    {"MOBTELEFONS", K::WideString, 200, 0},
    {"SANEMPERSONA", K::WideString, 250, 0},
    {"SUBSCRIBE_MAIL", K::WideString, 100, 0},
    {"FAKSS", K::WideString, 200, 0},
    {"KLIENTS_RUS", K::WideString, 200, 0},
    {"ADRESE_RUS", K::WideString, 200, 0},
    {"KONSIGN", K::SmallInt, 0, 0},
    {"LIGNR", K::WideString, 30, 0},
    {"LIGNO", K::DateTime, 0, 0},
    {"LIGLIDZ", K::DateTime, 0, 0},
    {"GARANTTALONS", K::WideString, 1, 0},
    {"MAKSATAJS", K::WideString, 250, 0},
    {"MAKSAT_REGNR", K::WideString, 15, 0},
    {"MAKSAT_PVNKODS", K::WideString, 15, 0},
    {"MAKSAT_ADRESE", K::WideString, 250, 0},
    {"MAKSAT_ADRESE2", K::WideString, 250, 0},
    {"MAKSAT_BANKA_NOS", K::WideString, 60, 0},
    {"MAKSAT_BANKA_KODS", K::WideString, 30, 0},
    {"MAKSAT_KONTS", K::WideString, 30, 0},
    {"ISIIZRLIGUMADATI", K::WideString, 1, 0},
    {"IZRKOMENTPIENOS", K::WideString, 1, 0},
    {"PILSETA", K::WideString, 50, 0},
    {"PASTINDEKS", K::WideString, 10, 0},
    {"KLIENTS_VALSTS", K::WideString, 40, 0},
    {"REKINAT_IIN", K::WideString, 1, 0},
    {"FREELICENC", K::WideString, 60, 0},
    {"KL_LICENCE", K::WideString, 60, 0},
    {"NODALA", K::WideString, 60, kRequired},
    {"LICENCE_NOSUT", K::WideString, 70, 0},
    {"NOD_ADRESE", K::WideString, 60, 0},
    {"NOD_TIRDZNADR", K::WideString, 60, 0},
    {"NODALAUZ", K::WideString, 60, 0},
    {"NODUZ_ADRESE", K::WideString, 60, 0},
    {"NODUZ_TIRDZNADR", K::WideString, 60, 0},
    {"NODUZ_REGNR", K::WideString, 60, 0},
    {"NODUZ_PVNKODS", K::WideString, 60, 0},
    {"NODUZ_KONTS", K::WideString, 60, 0},
    {"NODUZ_BANKA_NOS", K::WideString, 60, 0},
    {"NODUZ_BANKA_KODS", K::WideString, 60, 0},
    {"CENA9SUMMA", K::Float, 0, 0},
    {"BRUTO", K::Float, 0, 0},
    {"NETO", K::Float, 0, 0},
    {"KL_STRUKTURV", K::WideString, 200, 0},
    {"KL_STRUKTURV_ADR", K::WideString, 200, 0},
    {"KL_STRUKTURV_TELEF1", K::WideString, 30, 0},
    {"KL_STRUKTURV_PIEZIMES1", K::Blob, 8, 0},
    {"KL_STRUKTURV_NOZARE", K::WideString, 200, 0},
    {"KL_STRUKTURV_AUTO_GADS", K::WideString, 30, 0},
    {"KL_STRUKTURV_AUTO_DZINEJS", K::WideString, 30, 0},
    {"KOPSUMMA", K::Float, 0, 0},
    {"PVNKOPSUMMA", K::Float, 0, 0},
    {"BEZPVNSUMMA", K::Float, 0, 0},
    {"BEZPVNSUMMA_NEREVERSS", K::Float, 0, 0},
    {"IEPBEZPVNSUMMA", K::Float, 0, 0},
    {"IEPPVNSUMMA", K::Float, 0, 0},
    {"DAT_ATKR", K::DateTime, 0, 0},
    {"APM_LIDZ", K::DateTime, 0, 0},
    {"ISAPMAKSVEIDS", K::Integer, 0, 0},
    {"BANK_NR", K::SmallInt, 0, 0},
    {"SOFERIS", K::WideString, 30, 0},
    {"ISKLIENT", K::Integer, 0, kRequired},
    {"CITAS_IZM", K::Float, 0, 0},
    {"CITAS1_PROC", K::Bcd, 2, 0},
    {"KOMENTARS", K::WideString, 100, 0},
    {"PZSANEMPERS", K::WideString, 60, 0},
    {"KOMENTARSFREE", K::Blob, 8, 0},
    {"APMAKS_SUM", K::Float, 0, 0},
    {"APMAKS_DAT", K::DateTime, 0, 0},
    {"APMAKS_DOK", K::WideString, 10, 0},
    {"ADRESEFREE", K::WideString, 250, 0},
    {"APMKOMFLAG", K::WideString, 1, 0},
    {"PASUT_NR", K::WideString, 100, 0},
    {"PREC_KRED", K::WideString, 7, 0},
    {"PREC_DEB", K::WideString, 7, 0},
    {"PRPVN_DEB", K::WideString, 7, 0},
    {"PRPVN_KRED", K::WideString, 7, 0},
    {"PZ_SERIJA", K::WideString, 30, 0},
    {"DAT_ATKR1", K::DateTime, 0, 0},
    {"INTRA_DARV", K::WideString, 100, 0},
    {"KOMPLEKTEJA", K::WideString, 100, 0},
    {"VALUTA", K::WideString, 3, 0},
    {"KRAVAS_VEIDS", K::WideString, 200, 0},
    {"KRAVAS_SVARS", K::Float, 0, 0},
    {"KRAVAS_APJOMS", K::WideString, 100, 0},
    {"PZ_PIECENOJ", K::Float, 0, 0},
    {"BANKA_NOS", K::WideString, 60, 0},
    {"BANKA_KODS", K::WideString, 30, 0},
    {"SKONTO_ATL", K::Float, 0, 0},
    {"SKONTO_SUM", K::Float, 0, 0},
    {"ISNODALA", K::Integer, 0, kRequired},
    {"CAV_NR", K::WideString, 50, 0},
    {"APM_VEIDS", K::WideString, 250, 0},
    {"APMNOTEIKUMI", K::WideString, 250, 0},
    {"MARSRUTS_NO", K::WideString, 200, 0},
    {"MARSRUTS_UZ", K::WideString, 200, 0},
    {"TRANSP_DOK", K::WideString, 200, 0},
    {"TRANSP_DAT_NO", K::DateTime, 0, 0},
    {"TRANSP_DAT_LIDZ", K::DateTime, 0, 0},
    {"CMR_PRECNOS", K::WideString, 250, 0},
    {"TRACKING_NO", K::WideString, 100, 0},
    {"IEPAK_STIKLS", K::Float, 0, 0},
    {"IEPAK_PLASTMASA", K::Float, 0, 0},
    {"IEPAK_METALS", K::Float, 0, 0},
    {"IEPAK_PAPIRS_KOMPON", K::Float, 0, 0},
    {"IEPAK_KOKSNE", K::Float, 0, 0},
    {"IEPAK_PET", K::Float, 0, 0},
    {"IEPAK_SVARS_KOPA", K::Float, 0, 0},
    {"MASINA", K::WideString, 60, kRequired},
    {"VADITAJS", K::WideString, 250, 0},
    {"VALSTS_NR", K::WideString, 20, 0},
    {"AGENTS", K::WideString, 60, kRequired},
    {"VALKURSS", K::Float, 0, 0},
    {"SERTIFIKATS", K::WideString, 200, 0},
    {"SERTIF_DERIGSLIDZ", K::DateTime, 0, 0},
    {"SERTIF_PRECE", K::WideString, 200, 0},
    {"SERTIF_PRECE_DERIGSLIDZ", K::DateTime, 0, 0},
    {"AGENTS2", K::WideString, 60, 0},
    {"DATUMS", K::DateTime, 0, 0},
    {"NR_PAVADZ", K::WideString, 15, 0},
    {"CENA", K::Float, 0, 0},
    {"NODOKLIS", K::Bcd, 2, 0},
    {"NODOKLIS_R", K::WideString, 10, 0},
    {"PIECENOJ", K::Float, 0, 0},
    {"PVNSUMMA", K::Float, 0, 0},
    {"SUMBEZPVN", K::Float, 0, 0},
    {"SUMBEZPVNARATL", K::Float, 0, 0},
    {"SUMARPVN", K::Float, 0, 0},
    {"SUMARPVNARATL", K::Float, 0, 0},
    {"CENAARPVNARATLAIDI", K::Float, 0, 0},
    {"CENABEZPVNARATLAIDI", K::Float, 0, 0},
    {"PARD_CENA", K::Float, 0, 0},
    {"CENAARPVNBEZATLAIDES", K::Float, 0, 0},
    {"CENABEZPVNBEZATLAIDES", K::Float, 0, 0},
    {"ATL_SUMMA", K::Float, 0, 0},
    {"ATL_KOPSUMMA", K::Float, 0, 0},
    {"LITRAZASSUMMA", K::Float, 0, 0},
    {"APJOMASUMMA", K::Float, 0, 0},
    {"PRECKOMENT", K::WideString, 250, 0},
    {"DAUDZUMS", K::Float, 0, 0},
    {"ISIERAKSTS", K::Integer, 0, kRequired},
    {"ISPRECE", K::Integer, 0, kRequired},
    {"ISPAVOUT", K::Integer, 0, kRequired},
    {"SUMMAS_D", K::WideString, 4, kFixedLength},
    {"SUMMAS_K", K::WideString, 4, kFixedLength},
    {"PVN_D", K::WideString, 4, kFixedLength},
    {"PVN_K", K::WideString, 4, kFixedLength},
    {"STRV_GNOS_CAV", K::WideString, 200, 0},
    {"STRV_NOVADS_CAV", K::WideString, 200, 0},
    {"STRV_PAGASTS_CAV", K::WideString, 200, 0},
    {"STRV_ADRESE_CAV", K::WideString, 200, 0},
    {"CAV_NO", K::DateTime, 0, 0},
    {"CAV_LIDZ", K::DateTime, 0, 0},
    {"FULLNAME", K::WideString, 60, 0},
    {"DAT_PIEGADE", K::DateTime, 0, 0},
    {"DAT_PIEGADE0", K::DateTime, 0, 0},
    {"PIEZIMES", K::WideString, 7, kFixedLength},
    {"CENA_NO", K::Float, 0, 0},
    {"CENA_UZ", K::Float, 0, 0},
    {"CENU_STARPIBA", K::Float, 0, 0},
    {"NEWIEPCENA", K::Float, 0, 0},
    {"KADA_CENA", K::Integer, 0, 0},
    {"R_ATSIFR", K::WideString, 200, 0},
    {"AKCIZNODSUM", K::Float, 0, 0},
    {"PIEG_NR_PAVADZ", K::WideString, 30, 0},
    {"PIEG_DAT_PAVADZ", K::DateTime, 0, 0},
    {"PIEG_NOSAUKUMS", K::WideString, 200, 0},
    {"EAN", K::String, 20, 0},
    {"EAN2", K::String, 20, 0},
    {"EAN3", K::String, 20, 0},
    {"PREC_KOMENTARSUFT8", K::Blob, 0, 0},
    {"GNOS_1", K::String, 26, 0},
    {"GNOS_2", K::String, 174, 0},
    {"ISGATAVA", K::Float, 0, 0},
    {"DERLIDZ", K::Date, 0, 0},
    {"PIEGADAT", K::String, 200, 0},
    {"CENAPAR1", K::Float, 0, 0},
    {"AKCIJAS_C1", K::Float, 0, 0},
    {"PIRMSAKCC1", K::Float, 0, 0},
    {"AKCIJANO1", K::Date, 0, 0},
    {"AKCIJALDZ1", K::Date, 0, 0},
    {"CENAPAR2", K::Float, 0, 0},
    {"AKCIJAS_C2", K::Float, 0, 0},
    {"PIRMSAKCC2", K::Float, 0, 0},
    {"AKCIJANO2", K::Date, 0, 0},
    {"AKCIJALDZ2", K::Date, 0, 0},
    {"CENAPAR3", K::Float, 0, 0},
    {"AKCIJAS_C3", K::Float, 0, 0},
    {"PIRMSAKCC3", K::Float, 0, 0},
    {"AKCIJANO3", K::Date, 0, 0},
    {"AKCIJALDZ3", K::Date, 0, 0},
    {"CENAPAR4", K::Float, 0, 0},
    {"AKCIJAS_C4", K::Float, 0, 0},
    {"PIRMSAKCC4", K::Float, 0, 0},
    {"AKCIJANO4", K::Date, 0, 0},
    {"AKCIJALDZ4", K::Date, 0, 0},
    {"CENAPAR5", K::Float, 0, 0},
    {"AKCIJAS_C5", K::Float, 0, 0},
    {"PIRMSAKCC5", K::Float, 0, 0},
    {"AKCIJANO5", K::Date, 0, 0},
    {"AKCIJALDZ5", K::Date, 0, 0},
    {"CENAPAR6", K::Float, 0, 0},
    {"AKCIJAS_C6", K::Float, 0, 0},
    {"PIRMSAKCC6", K::Float, 0, 0},
    {"AKCIJANO6", K::Date, 0, 0},
    {"AKCIJALDZ6", K::Date, 0, 0},
    {"CENAPAR7", K::Float, 0, 0},
    {"AKCIJAS_C7", K::Float, 0, 0},
    {"PIRMSAKCC7", K::Float, 0, 0},
    {"AKCIJANO7", K::Date, 0, 0},
    {"AKCIJALDZ7", K::Date, 0, 0},
    {"CENAPAR8", K::Float, 0, 0},
    {"AKCIJAS_C8", K::Float, 0, 0},
    {"PIRMSAKCC8", K::Float, 0, 0},
    {"AKCIJANO8", K::Date, 0, 0},
    {"AKCIJALDZ8", K::Date, 0, 0},
    {"CENAPAR9", K::Float, 0, 0},
    {"AKCIJAS_C9", K::Float, 0, 0},
    {"PIRMSAKCC9", K::Float, 0, 0},
    {"AKCIJANO9", K::Date, 0, 0},
    {"AKCIJALDZ9", K::Date, 0, 0},
    {"CENAPAR10", K::Float, 0, 0},
    {"AKCIJAS_C10", K::Float, 0, 0},
    {"PIRMSAKCC10", K::Float, 0, 0},
    {"AKCIJANO10", K::Date, 0, 0},
    {"AKCIJALDZ10", K::Date, 0, 0},
    {"CENAPAR11", K::Float, 0, 0},
    {"AKCIJAS_C11", K::Float, 0, 0},
    {"PIRMSAKCC11", K::Float, 0, 0},
    {"AKCIJANO11", K::Date, 0, 0},
    {"AKCIJALDZ11", K::Date, 0, 0},
    {"CENAPAR12", K::Float, 0, 0},
    {"AKCIJAS_C12", K::Float, 0, 0},
    {"PIRMSAKCC12", K::Float, 0, 0},
    {"AKCIJANO12", K::Date, 0, 0},
    {"AKCIJALDZ12", K::Date, 0, 0},
    {"CENAPAR13", K::Float, 0, 0},
    {"AKCIJAS_C13", K::Float, 0, 0},
    {"PIRMSAKCC13", K::Float, 0, 0},
    {"AKCIJANO13", K::Date, 0, 0},
    {"AKCIJALDZ13", K::Date, 0, 0},
    {"CENAPAR14", K::Float, 0, 0},
    {"AKCIJAS_C14", K::Float, 0, 0},
    {"PIRMSAKCC14", K::Float, 0, 0},
    {"AKCIJANO14", K::Date, 0, 0},
    {"AKCIJALDZ14", K::Date, 0, 0},
    {"CENAPAR15", K::Float, 0, 0},
    {"AKCIJAS_C15", K::Float, 0, 0},
    {"PIRMSAKCC15", K::Float, 0, 0},
    {"AKCIJANO15", K::Date, 0, 0},
    {"AKCIJALDZ15", K::Date, 0, 0},
    {"CENAPAR16", K::Float, 0, 0},
    {"AKCIJAS_C16", K::Float, 0, 0},
    {"PIRMSAKCC16", K::Float, 0, 0},
    {"AKCIJANO16", K::Date, 0, 0},
    {"AKCIJALDZ16", K::Date, 0, 0},
};
static_assert(std::size(kFields) == kPacketFieldCount);

consteval int F(std::string_view name)
{
    for (int i = 0; i < kPacketFieldCount; ++i)
        if (name == kFields[i].name)
            return i;
    throw "unknown field";
}

struct TProduct {
    const char *name;
    const char *nameRus;
    const char *group;
    const char *unit;
    double price;
};

constexpr TProduct kProducts[] = {
    {"Piens 2,5% 1l", "Молоко 2,5% 1л", "Piena produkti", "l", 0.99},
    {"Kefīrs 1% 0,5l", "Кефир 1% 0,5л", "Piena produkti", "gab.", 0.79},
    {"Rupjmaize \"Lāči\" 0,4kg", "Ржаной хлеб 0,4кг", "Maize", "gab.", 1.45},
    {"Baltmaize sagriezta", "Белый хлеб нарезной", "Maize", "gab.", 1.09},
    {"Kūpināts šķiņķis", "Копчёная ветчина", "Gaļas izstrādājumi", "kg", 9.89},
    {"Vistas fileja atdzesēta", "Куриное филе охлаждённое", "Gaļas izstrādājumi", "kg", 6.49},
    {"Ābolu sula 100% 1l", "Яблочный сок 100% 1л", "Dzērieni", "gab.", 1.79},
    {"Minerālūdens gāzēts 1,5l", "Минеральная вода газ. 1,5л", "Dzērieni", "gab.", 0.69},
    {"Šokolāde ar riekstiem 100g", "Шоколад с орехами 100г", "Saldumi", "gab.", 2.15},
    {"Ķiršu ievārījums 350g", "Вишнёвое варенье 350г", "Saldumi", "gab.", 3.05},
    {"Griķi 800g", "Гречка 800г", "Bakaleja", "gab.", 1.99},
    {"Saulespuķu eļļa 1l", "Подсолнечное масло 1л", "Bakaleja", "gab.", 2.89},
    {"Zaļā tēja 20x1,5g", "Зелёный чай 20x1,5г", "Bakaleja", "gab.", 1.59},
    {"Mazgāšanas līdzeklis 750ml", "Моющее средство 750мл", "Saimniecības preces", "gab.", 3.49},
    {"Papīra dvieļi 2 ruļļi", "Бумажные полотенца 2 рулона", "Saimniecības preces", "gab.", 2.25},
};
constexpr int kProductCount = int(std::size(kProducts));

struct TCustomer {
    const char *name;
    const char *address;
    const char *vatCode;
    const char *regNo;
};

constexpr TCustomer kCustomers[] = {
    {"SIA \"Ēdnīca Žubīte\"", "Rīgas iela 12-4, Rīga, LV-1050", "LV40003123456", "40003123456"},
    {"SIA \"Kurzemes pārtika\"", "Lielā iela 7, Kuldīga, LV-3301", "LV41203004567", "41203004567"},
    {"AS \"Vidzemes veikali\"", "Pils iela 3, Cēsis, LV-4101", "LV44103009988", "44103009988"},
    {"IK \"Ģirts un Ļena\"", "Ozolu iela 21, Jelgava, LV-3001", "LV43602001122", "43602001122"},
};
constexpr int kCustomerCount = int(std::size(kCustomers));

constexpr const char *kCountries[] = {"Latvija", "Lietuva", "Igaunija", "Polija", "Vācija"};
constexpr int kCountryCount = int(std::size(kCountries));

constexpr int kQuantities[] = {1, 2, 3, 5, 10, 12, 24};

// A 48x32 baseline JPEG.
constexpr const char *kJpegBase64 =
    "/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAA0JCgsKCA0LCgsODg0PEyAVExISEyccHhcgLikxMC4pLSwzOko+MzZGNywtQFdBRkxOUlNSMj5aYVpQ"
    "YEpRUk//2wBDAQ4ODhMREyYVFSZPNS01T09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT0//wAARCAAgADAD"
    "ASIAAhEBAxEB/8QAHwAAAQUBAQEBAQEAAAAAAAAAAAECAwQFBgcICQoL/8QAtRAAAgEDAwIEAwUFBAQAAAF9AQIDAAQRBRIhMUEGE1FhByJxFDKB"
    "kaEII0KxwRVS0fAkM2JyggkKFhcYGRolJicoKSo0NTY3ODk6Q0RFRkdISUpTVFVWV1hZWmNkZWZnaGlqc3R1dnd4eXqDhIWGh4iJipKTlJWWl5iZ"
    "mqKjpKWmp6ipqrKztLW2t7i5usLDxMXGx8jJytLT1NXW19jZ2uHi4+Tl5ufo6erx8vP09fb3+Pn6/8QAHwEAAwEBAQEBAQEBAQAAAAAAAAECAwQF"
    "BgcICQoL/8QAtREAAgECBAQDBAcFBAQAAQJ3AAECAxEEBSExBhJBUQdhcRMiMoEIFEKRobHBCSMzUvAVYnLRChYkNOEl8RcYGRomJygpKjU2Nzg5"
    "OkNERUZHSElKU1RVVldYWVpjZGVmZ2hpanN0dXZ3eHl6goOEhYaHiImKkpOUlZaXmJmaoqOkpaanqKmqsrO0tba3uLm6wsPExcbHyMnK0tPU1dbX"
    "2Nna4uPk5ebn6Onq8vP09fb3+Pn6/9oADAMBAAIRAxEAPwDgEtvatRLb2rQS29qiS29q9aVf+zv73N8tvv7nLQxPOZ6W3tWolt7VoJbe1RJbe1c8"
    "q/8AZ397m+W339z16GJ5zPS29q1EtvatBLb2qFLb2rCVf+zv73N8tvv7nr0MTzlJLb2rUS29qvpbe1RJbe1c0q/9nf3ub5bff3PzOjiecz0tvatR"
    "Lb2rQS29qiS29q55V/7O/vc3y2+/uevRxPOZ6W3tWolt7VoJbe1RJbe1YSr/ANnf3ub5bff3PWo4nnP/2Q==";

// xoshiro256** seeded through splitmix64: the same numbers on every platform,
// unlike the distributions of the standard library.
class TRandom {
public:
    explicit TRandom(int seed)
    {
        std::uint64_t x = std::uint64_t(std::int64_t(seed));
        for (auto &s : m_state) {
            x += 0x9E3779B97F4A7C15ull;
            std::uint64_t z = x;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            s = z ^ (z >> 31);
        }
    }
    std::uint64_t next()
    {
        const std::uint64_t result = rotl(m_state[1] * 5, 7) * 9;
        const std::uint64_t t = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= t;
        m_state[3] = rotl(m_state[3], 45);
        return result;
    }
    // In [0, 1).
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }
    double uniform(double low, double high) { return low + (high - low) * uniform(); }
    int below(int n) { return int(next() % std::uint64_t(n)); }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::array<std::uint64_t, 4> m_state;
};

void appendInt(std::string &s, long long v)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    s.append(buf, r.ptr);
}

void appendPadded(std::string &s, long long v, int width)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    s.append(std::size_t(std::max(0, width - int(r.ptr - buf))), '0');
    s.append(buf, r.ptr);
}

// Rounds to `decimals` places as decimal text does (correctly rounded, half to even on the exact value).
double roundTo(double v, int decimals)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        return v;
    double out = v;
    std::from_chars(buf, r.ptr, out);
    return out;
}

// The shortest text that reads back as the value rounded to six places ("21", "0.99", "1e-07").
void appendFloat(std::string &s, double v)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, roundTo(v, 6));
    s.append(buf, r.ptr);
}

std::string floatText(double v)
{
    std::string s;
    appendFloat(s, v);
    return s;
}

void appendDate(std::string &s, const QDate &d)
{
    appendPadded(s, d.year(), 4);
    appendPadded(s, d.month(), 2);
    appendPadded(s, d.day(), 2);
}

void appendBase64(std::string &s, const char *data, std::size_t size)
{
    static constexpr char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    std::size_t i = 0;
    for (; i + 3 <= size; i += 3) {
        const unsigned v = (p[i] << 16) | (p[i + 1] << 8) | p[i + 2];
        s += digits[v >> 18];
        s += digits[(v >> 12) & 63];
        s += digits[(v >> 6) & 63];
        s += digits[v & 63];
    }
    if (i < size) {
        const unsigned v = (p[i] << 16) | (i + 1 < size ? p[i + 1] << 8 : 0);
        s += digits[v >> 18];
        s += digits[(v >> 12) & 63];
        s += i + 1 < size ? digits[(v >> 6) & 63] : '=';
        s += '=';
    }
}

std::string base64(const QByteArray &bytes)
{
    std::string s;
    appendBase64(s, bytes.constData(), std::size_t(bytes.size()));
    return s;
}

void appendBigEndian32(QByteArray &out, std::uint32_t v)
{
    out.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
}

void appendLittleEndian(QByteArray &out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char(v >> (8 * i)));
}

// An RGB PNG with a colour ramp and a checker pattern.
QByteArray pngBytes(int w, int h, int seed)
{
    QByteArray raw;
    for (int y = 0; y < h; ++y) {
        raw.append('\0'); // filter: none
        for (int x = 0; x < w; ++x) {
            raw.append(char((x * 7 + seed * 31) & 255));
            raw.append(char((y * 9) & 255));
            raw.append(char(((x / 6 + y / 6) % 2) * 200 + 30));
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    QByteArray packed(qsizetype(packedSize), Qt::Uninitialized);
    if (compress(reinterpret_cast<Bytef *>(packed.data()), &packedSize,
                 reinterpret_cast<const Bytef *>(raw.constData()), uLong(raw.size()))
        != Z_OK)
        throw std::runtime_error("compressing a PNG picture failed");
    packed.truncate(qsizetype(packedSize));

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    const auto chunk = [&png](const char *tag, const QByteArray &data) {
        QByteArray body(tag, 4);
        body += data;
        appendBigEndian32(png, std::uint32_t(data.size()));
        png += body;
        appendBigEndian32(png, std::uint32_t(crc32(0, reinterpret_cast<const Bytef *>(body.constData()),
                                                   uInt(body.size()))));
    };
    QByteArray header;
    appendBigEndian32(header, std::uint32_t(w));
    appendBigEndian32(header, std::uint32_t(h));
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filter, no interlace
    chunk("IHDR", header);
    chunk("IDAT", packed);
    chunk("IEND", QByteArray());
    return png;
}

// A 24-bit bottom-up BMP; the picture loader passes it through undecoded.
QByteArray bmpBytes(int w, int h)
{
    const int rowSize = (w * 3 + 3) & ~3;
    QByteArray pixels;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            pixels.append(char(200)).append(char((x * 10) & 255)).append(char((y * 10) & 255));
        pixels.append(QByteArray(rowSize - w * 3, '\0'));
    }
    QByteArray bmp("BM", 2);
    appendLittleEndian(bmp, std::uint32_t(54 + pixels.size()), 4);
    appendLittleEndian(bmp, 0, 4);  // reserved
    appendLittleEndian(bmp, 54, 4); // pixel offset
    appendLittleEndian(bmp, 40, 4); // info header size
    appendLittleEndian(bmp, std::uint32_t(w), 4);
    appendLittleEndian(bmp, std::uint32_t(h), 4);
    appendLittleEndian(bmp, 1, 2);  // planes
    appendLittleEndian(bmp, 24, 2); // bits per pixel
    appendLittleEndian(bmp, 0, 4);  // no compression
    appendLittleEndian(bmp, std::uint32_t(pixels.size()), 4);
    appendLittleEndian(bmp, 2835, 4); // 72 dpi
    appendLittleEndian(bmp, 2835, 4);
    appendLittleEndian(bmp, 0, 4);
    appendLittleEndian(bmp, 0, 4);
    return bmp + pixels;
}

// The 12 digits and their EAN-13 check digit (weights 1, 3, 1, 3, ...).
void appendEan13(std::string &s, std::string_view first12)
{
    int total = 0;
    for (std::size_t k = 0; k < first12.size(); ++k)
        total += (first12[k] - '0') * (k % 2 ? 3 : 1);
    s.append(first12);
    s += char('0' + (10 - total % 10) % 10);
}

// Fixed texts as attribute values in the packet's encoding: XML-escaped, and
// in Windows-1257 with the characters it lacks as character references.
class TAttrEncoder {
public:
    explicit TAttrEncoder(const TCodePage *codePage) : m_codePage(codePage) {}

    std::string operator()(const char *utf8) const
    {
        std::string s;
        for (const char32_t ch : QString::fromUtf8(utf8).toUcs4()) {
            unsigned char byte = 0;
            switch (ch) {
            case '&': s += "&amp;"; break;
            case '<': s += "&lt;"; break;
            case '>': s += "&gt;"; break;
            case '"': s += "&quot;"; break;
            default:
                if (ch < 0x80) {
                    s += char(ch);
                } else if (!m_codePage) {
                    s += QString::fromUcs4(&ch, 1).toUtf8().toStdString();
                } else if (m_codePage->fromUnicode(ch, byte)) {
                    s += char(byte);
                } else {
                    s += "&#";
                    appendInt(s, ch);
                    s += ';';
                }
            }
        }
        return s;
    }

private:
    const TCodePage *m_codePage;
};

std::string fieldMetadata(const TFieldDef &f)
{
    std::string s = "<FIELD attrname=\"";
    s += f.name;
    s += '"';
    switch (f.kind) {
    case K::WideString:
        s += " fieldtype=\"string.uni\" WIDTH=\"";
        appendInt(s, 2 * f.size);
        s += '"';
        if (f.flags & kFixedLength)
            s += " SUBTYPE=\"FixedChar\"";
        break;
    case K::String:
        s += " fieldtype=\"string\" WIDTH=\"";
        appendInt(s, f.size);
        s += '"';
        break;
    case K::Blob:
        s += " fieldtype=\"bin.hex\" SUBTYPE=\"Binary\"";
        if (f.size) {
            s += " WIDTH=\"";
            appendInt(s, f.size);
            s += '"';
        }
        break;
    case K::Bcd:
        s += " fieldtype=\"fixed\" DECIMALS=\"";
        appendInt(s, f.size);
        s += "\" WIDTH=\"32\"";
        break;
    case K::Integer: s += " fieldtype=\"i4\""; break;
    case K::SmallInt: s += " fieldtype=\"i2\""; break;
    case K::Float: s += " fieldtype=\"r8\""; break;
    case K::DateTime: s += " fieldtype=\"dateTime\""; break;
    case K::Date: s += " fieldtype=\"date\""; break;
    }
    if (f.flags & kRequired)
        s += " required=\"true\"";
    s += "/>";
    return s;
}

// A product's texts and figures, ready to be written.
struct TProductValues {
    std::string name, nameRus, group, unit, article, productId, price, priceNet, vat, vatText;
    double priceValue = 0;
    double vatRate = 0;
    bool counted = false; // sold by the piece: whole quantities
};

struct TCustomerValues {
    std::string name, address, vatCode, regNo, customerId;
};

struct TDocument {
    std::string docId, number, date, dueDate, totalNet, totalVat, total;
    qint64 julianDay = 0;
    double net = 0;
    double vat = 0;
};

struct TAmounts {
    double quantity, net, vat;
};

} // namespace

QByteArray MakeDataPacket(const TPacketOptions &options)
{
    if (options.rows < 0)
        throw std::invalid_argument("the number of rows must not be negative");
    if (options.docs < 0)
        throw std::invalid_argument("the number of documents must not be negative");
    if (!(options.nullRate >= 0 && options.nullRate <= 1))
        throw std::invalid_argument("the null rate must be between 0 and 1");

    const bool cp1257 = options.encoding == TPacketOptions::TEncoding::Windows1257;
    const TCodePage *const baltic = TCodePage::find(1257);
    if (!baltic)
        throw std::runtime_error("the Windows-1257 code page table is missing");
    const TAttrEncoder attr(cp1257 ? baltic : nullptr);

    std::vector<TProductValues> products(kProductCount);
    for (int p = 0; p < kProductCount; ++p) {
        const TProduct &src = kProducts[p];
        TProductValues &v = products[std::size_t(p)];
        v.name = attr(src.name);
        v.nameRus = attr(src.nameRus);
        v.group = attr(src.group);
        v.unit = attr(src.unit);
        v.article = "A-";
        appendPadded(v.article, 1000 + p, 5);
        appendInt(v.productId, 1000 + p);
        v.priceValue = src.price;
        v.vatRate = std::string_view(src.group) == "Maize" ? 12.0 : 21.0;
        v.counted = std::string_view(src.unit) == "gab.";
        v.price = floatText(src.price);
        v.priceNet = floatText(roundTo(src.price / (1 + v.vatRate / 100), 4));
        v.vat = floatText(v.vatRate);
        appendInt(v.vatText, qint64(v.vatRate));
        v.vatText += '%';
    }
    std::vector<TCustomerValues> customers(kCustomerCount);
    for (int c = 0; c < kCustomerCount; ++c) {
        TCustomerValues &v = customers[std::size_t(c)];
        v.name = attr(kCustomers[c].name);
        v.address = attr(kCustomers[c].address);
        v.vatCode = attr(kCustomers[c].vatCode);
        v.regNo = attr(kCustomers[c].regNo);
        appendInt(v.customerId, 100 + c);
    }
    std::vector<std::string> countries;
    for (const char *c : kCountries)
        countries.push_back(attr(c));
    const std::string store = attr("Centrālā noliktava");
    const std::string van = attr("Ford Transit HZ-4521");
    const std::string agent = attr("Jānis Bērziņš");
    // An 8-bit memo: Windows-1257 bytes whatever the packet's encoding.
    const std::string note8 = base64(baltic->encode(QStringLiteral("Derīgs līdz norādītajam datumam.")));
    const QByteArray noteUtf8 = QStringLiteral("Uzglabāt vēsā vietā. Partija ").toUtf8();

    std::vector<std::string> pngs;
    for (int k = 0; k < 4; ++k)
        pngs.push_back(base64(pngBytes(24 + 4 * k, 16 + 2 * k, k)));
    const std::string jpeg = base64(QByteArray::fromBase64(kJpegBase64));
    const std::string bmp = base64(bmpBytes(20, 12));

    const int rows = options.rows;
    const int docs = options.docs ? options.docs : std::max(1, rows / 20);
    const int rowsPerDoc = std::max(1, rows / docs);
    const auto docOf = [&](int row) { return std::min(row / rowsPerDoc, docs - 1); };
    const auto productOf = [&](int row) { return (qint64(row) * 7 + docOf(row)) % kProductCount; };

    TRandom random(options.seed);

    // First pass: the amounts of every row and the totals of its document,
    // which hosts repeat on each row of a document.
    std::vector<TDocument> documents(static_cast<std::size_t>(docs));
    const QDate baseDay(2026, 12, 8);
    for (int d = 0; d < docs; ++d) {
        TDocument &doc = documents[std::size_t(d)];
        const QDate day = baseDay.addDays(-(docs - d));
        doc.julianDay = day.toJulianDay();
        appendInt(doc.docId, qint64(d) + 1);
        doc.number = "RP-";
        appendInt(doc.number, 2026000 + qint64(d) + 1);
        appendDate(doc.date, day);
        doc.date += "T00:00:00000";
        appendDate(doc.dueDate, day.addDays(14));
        doc.dueDate += "T00:00:00000";
    }
    std::vector<TAmounts> amounts(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        const TProductValues &p = products[std::size_t(productOf(i))];
        double quantity = kQuantities[random.below(int(std::size(kQuantities)))];
        if (!p.counted)
            quantity *= random.uniform(0.3, 3.0);
        quantity = roundTo(quantity, 3);
        const double net = roundTo(quantity * p.priceValue, 2);
        const double vat = roundTo(net * p.vatRate / 100, 2);
        amounts[std::size_t(i)] = {quantity, net, vat};
        TDocument &doc = documents[std::size_t(docOf(i))];
        doc.net += net;
        doc.vat += vat;
    }
    for (TDocument &doc : documents) {
        doc.totalNet = floatText(roundTo(doc.net, 2));
        doc.totalVat = floatText(roundTo(doc.vat, 2));
        doc.total = floatText(roundTo(doc.net + doc.vat, 2));
    }

    QByteArray out;
    out.append(cp1257 ? "<?xml version=\"1.0\" encoding=\"windows-1257\" standalone=\"yes\"?>\n"
                      : "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n");
    out.append("<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>\n");
    std::vector<std::string> prefixes;
    for (const TFieldDef &f : kFields) {
        const std::string meta = fieldMetadata(f);
        out.append(meta.data(), qsizetype(meta.size())).append('\n');
        prefixes.push_back(std::string(" ") + f.name + "=\"");
    }
    out.append("</FIELDS><PARAMS LCID=\"1062\"/></METADATA><ROWDATA>\n");

    // Second pass: the rows. Every row fills the same fields, so the values
    // are overwritten in place; a field without a value is left out.
    std::array<std::string_view, kPacketFieldCount> value{};
    std::string isn, quantity, net, vat, gross, bestBefore, ean, consignment, note, noteText, first12;
    value[F("NODALA")] = store;
    value[F("MASINA")] = van;
    value[F("AGENTS")] = agent;
    value[F("ISNODALA")] = "1";
    value[F("VALUTA")] = "EUR";
    value[F("SUMMAS_D")] = "5710";
    value[F("PIEZIMES")] = "Nav";
    value[F("CITAS1_PROC")] = "2.50";
    value[F("PREC_KOMENTARS")] = note8;
    const qsizetype headerSize = out.size();
    for (int i = 0; i < rows; ++i) {
        const int d = docOf(i);
        const TDocument &doc = documents[std::size_t(d)];
        const TProductValues &p = products[std::size_t(productOf(i))];
        const TCustomerValues &c = customers[std::size_t(d % kCustomerCount)];
        const TAmounts &a = amounts[std::size_t(i)];

        isn.clear();
        appendInt(isn, qint64(i) + 1);
        value[F("ISN")] = isn;
        value[F("ISIERAKSTS")] = isn;
        value[F("ARTIKULS")] = p.article;
        value[F("PRECE")] = p.name;
        value[F("GNOS")] = p.name;
        value[F("PRECE_RUS")] = p.nameRus;
        value[F("PR_GRUPA")] = p.group;
        value[F("MERVIENIBA")] = p.unit;
        value[F("ISPRECE")] = p.productId;
        value[F("VALSTS")] = countries[std::size_t(i % kCountryCount)];
        value[F("PARDCENA1")] = p.price;
        value[F("CENA")] = p.price;
        value[F("PARDCENA1BEZPVN")] = p.priceNet;
        value[F("NODOKLIS")] = p.vat;
        value[F("NODOKLIS_R")] = p.vatText;

        quantity.clear();
        appendFloat(quantity, a.quantity);
        net.clear();
        appendFloat(net, a.net);
        vat.clear();
        appendFloat(vat, a.vat);
        gross.clear();
        appendFloat(gross, a.net + a.vat);
        value[F("DAUDZUMS")] = quantity;
        value[F("SUMBEZPVN")] = net;
        value[F("PVNSUMMA")] = vat;
        value[F("SUMARPVN")] = gross;

        value[F("KLIENTS")] = c.name;
        value[F("ADRESE")] = c.address;
        value[F("PVNKODS")] = c.vatCode;
        value[F("REGNR")] = c.regNo;
        value[F("ISKLIENT")] = c.customerId;
        value[F("ISPAVOUT")] = doc.docId;
        value[F("NR_PAVADZ")] = doc.number;
        value[F("DATUMS")] = doc.date;
        value[F("APM_LIDZ")] = doc.dueDate;
        value[F("BEZPVNSUMMA")] = doc.totalNet;
        value[F("PVNKOPSUMMA")] = doc.totalVat;
        value[F("KOPSUMMA")] = doc.total;

        bestBefore.clear();
        appendDate(bestBefore, QDate::fromJulianDay(doc.julianDay + 30 + i % 60));
        value[F("DERLIDZ")] = bestBefore;

        first12 = "475";
        appendPadded(first12, (100000000 + qint64(i) * 7919) % 1000000000, 9);
        ean.clear();
        appendEan13(ean, first12);
        value[F("EAN")] = ean;

        consignment.clear();
        appendInt(consignment, i % 2);
        value[F("KONSIGN")] = consignment;

        noteText.assign(noteUtf8.constData(), std::size_t(noteUtf8.size()));
        appendInt(noteText, qint64(i) + 1);
        noteText += '.';
        note.clear();
        appendBase64(note, noteText.data(), noteText.size());
        value[F("PREC_KOMENTARSUFT8")] = note;

        switch (options.images) {
        case TPacketOptions::TImages::None:
            break;
        case TPacketOptions::TImages::Png:
            value[F("BILDE")] = pngs[std::size_t(i % 4)];
            break;
        case TPacketOptions::TImages::Jpeg:
            value[F("BILDE")] = jpeg;
            break;
        case TPacketOptions::TImages::Mixed:
            value[F("BILDE")] = i % 2 == 0 ? std::string_view(pngs[std::size_t(i % 4)]) : std::string_view(jpeg);
            break;
        }
        if (options.images != TPacketOptions::TImages::None)
            value[F("BILDE2")] = bmp;

        out.append("<ROW RowState=\"4\"");
        for (int k = 0; k < kPacketFieldCount; ++k) {
            const std::string_view v = value[std::size_t(k)];
            if (!v.data())
                continue;
            if (options.nullRate > 0 && !(kFields[k].flags & kRequired) && random.uniform() < options.nullRate)
                continue;
            const std::string &prefix = prefixes[std::size_t(k)];
            out.append(prefix.data(), qsizetype(prefix.size()));
            out.append(v.data(), qsizetype(v.size()));
            out.append('"');
        }
        out.append("/>\n");

        // Once a few rows show their size, room for the rest is taken at once.
        if (i == 15 && rows > 16)
            out.reserve(out.size() + (out.size() - headerSize) / 16 * (rows - 16) * 21 / 20 + 64);
    }
    out.append("</ROWDATA></DATAPACKET>\n");
    return out;
}

void WriteDataPacket(const QString &path, const TPacketOptions &options)
{
    const QByteArray bytes = MakeDataPacket(options);
    QFile file(path);
    const auto fail = [&]() {
        throw std::runtime_error(QStringLiteral("cannot write the data packet %1: %2")
                                     .arg(path, file.errorString())
                                     .toStdString());
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail();
    if (file.write(bytes) != bytes.size() || !file.flush())
        fail();
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail();
}

} // namespace zelmio::testdata
