#include "cli/command_line.h"

#include <getopt.h>

#include <cstring>

#include "board/shape_family.h"
#include "cli/make_puzzle.h"
#include "solutions/solution_range.h"

#ifndef TRIANZOID_VERSION
#define TRIANZOID_VERSION "onbekend"
#endif

namespace {

enum OptionId {
    kPieces = 1,
    kLetters,
    kYes,
    kOutputDir,
    kQuiet,
    kHelp,
    kVersion,
    kThreads,
    kEngine,
    kStats,
    kShard,
    kMerge,
    kExport,
    kSolutions,
    kTo,
    kSize,
    kPerPage,
    kPaper,
    kLandscape,
    kBlackWhite,
    kDistinct,
    kUnique,
    kPackings,
    kCountOnly,
    kLimit,
    kSurvey,
    kNoCounts
};

const option kLongOptions[] = {
    {"pieces", required_argument, nullptr, kPieces},
    {"letters", no_argument, nullptr, kLetters},
    {"yes", no_argument, nullptr, kYes},
    {"output-dir", required_argument, nullptr, kOutputDir},
    {"quiet", no_argument, nullptr, kQuiet},
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {"threads", required_argument, nullptr, kThreads},
    {"engine", required_argument, nullptr, kEngine},
    {"stats", no_argument, nullptr, kStats},
    {"shard", required_argument, nullptr, kShard},
    {"merge", no_argument, nullptr, kMerge},
    {"export", required_argument, nullptr, kExport},
    {"solutions", required_argument, nullptr, kSolutions},
    {"to", required_argument, nullptr, kTo},
    {"size", required_argument, nullptr, kSize},
    {"per-page", required_argument, nullptr, kPerPage},
    {"paper", required_argument, nullptr, kPaper},
    {"landscape", no_argument, nullptr, kLandscape},
    {"black-white", no_argument, nullptr, kBlackWhite},
    {"distinct", no_argument, nullptr, kDistinct},
    {"unique", no_argument, nullptr, kUnique},
    {"packings", no_argument, nullptr, kPackings},
    {"count-only", no_argument, nullptr, kCountOnly},
    {"limit", required_argument, nullptr, kLimit},
    {"survey", required_argument, nullptr, kSurvey},
    {"no-counts", no_argument, nullptr, kNoCounts},  // for measuring what the counts cost; not in --help
    {nullptr, 0, nullptr, 0},
};

// A whole number from min to max written in decimal digits only; -1 otherwise.
int parseCount(const std::string& text, int min, int max) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const int value = std::stoi(text);
    return value >= min && value <= max ? value : -1;
}

// A whole number of at least 1 written in decimal digits only, at most 18 of them; 0 otherwise.
std::int64_t parseLimit(const std::string& text) {
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::stoll(text);
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    // getopt_long works on a writable argv; it may permute the copies, never the caller's strings.
    std::vector<std::string> copies = arguments;
    if (copies.empty()) copies.push_back("trianzoid-solve");
    std::vector<char*> argv;
    for (auto& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(copies.size());

    ParsedCommandLine result;
    bool help = false, version = false, merge = false, toGiven = false;
    const char* exportOnly = nullptr;  // an option that means something only with --export
    opterr = 0;                        // our own messages, in Dutch
    optind = 0;                        // 0 rather than 1: also resets getopt's internal state between calls
    for (;;) {
        int index = -1;
        // The leading ':' makes a missing argument return ':' instead of '?'.
        int id = getopt_long(argc, argv.data(), ":", kLongOptions, &index);
        if (id == -1) break;
        switch (id) {
            case kPieces:
                if (*optarg == '\0') {
                    result.error = "optie '--pieces' verwacht een bestandsnaam";
                    return result;
                }
                result.options.pieceFile = optarg;
                break;
            case kLetters:
                result.options.letters = true;
                break;
            case kYes:
                result.options.yes = true;
                break;
            case kOutputDir:
                result.options.outputDir = optarg;
                break;
            case kQuiet:
                result.options.quiet = true;
                break;
            case kHelp:
                help = true;
                break;
            case kVersion:
                version = true;
                break;
            case kThreads:
                result.options.threads = parseCount(optarg, 1, kMaxThreads);
                if (result.options.threads < 0) {
                    result.error =
                        "--threads verwacht een aantal van 1 tot en met " + std::to_string(kMaxThreads);
                    return result;
                }
                break;
            case kEngine:
                if (std::strcmp(optarg, "plain") != 0 && std::strcmp(optarg, "fast") != 0) {
                    result.error = "--engine verwacht plain of fast";
                    return result;
                }
                result.options.plainEngine = std::strcmp(optarg, "plain") == 0;
                break;
            case kStats:
                result.options.stats = true;
                break;
            case kShard: {
                const std::string text = optarg;
                const std::size_t slash = text.find('/');
                const int count =
                    slash == std::string::npos ? -1 : parseCount(text.substr(slash + 1), 1, kMaxShards);
                const int index = count < 0 ? -1 : parseCount(text.substr(0, slash), 1, count);
                if (index < 0) {
                    result.error = "--shard verwacht K/N met 1 <= K <= N <= " + std::to_string(kMaxShards);
                    return result;
                }
                result.options.shardIndex = index;
                result.options.shardCount = count;
                break;
            }
            case kMerge:
                merge = true;
                break;
            case kExport:
                if (std::strcmp(optarg, "svg") != 0 && std::strcmp(optarg, "png") != 0 &&
                    std::strcmp(optarg, "pdf") != 0) {
                    result.error = "--export verwacht svg, png of pdf";
                    return result;
                }
                result.options.exportFormat = optarg;
                break;
            case kSolutions:
                if (!SolutionRange::parse(optarg)) {
                    result.error = "--solutions verwacht nummers en reeksen, zoals 1-20,35";
                    return result;
                }
                result.options.exportSolutions = optarg;
                exportOnly = "--solutions";
                break;
            case kTo:
                if (*optarg == '\0') {
                    result.error = "optie '--to' verwacht een map of bestandsnaam";
                    return result;
                }
                result.options.exportTarget = optarg;
                toGiven = true;  // the export's target, or the folder of a survey's Boards
                break;
            case kSize:
                result.options.pictureWidth = parseCount(optarg, kMinPictureWidth, kMaxPictureWidth);
                if (result.options.pictureWidth < 0) {
                    result.error = "--size verwacht een breedte van " + std::to_string(kMinPictureWidth) +
                                   " tot en met " + std::to_string(kMaxPictureWidth) + " pixels";
                    return result;
                }
                exportOnly = "--size";
                break;
            case kPerPage:
                result.options.perPage = parseCount(optarg, 1, kMaxPerPage);
                if (result.options.perPage < 0) {
                    result.error =
                        "--per-page verwacht een aantal van 1 tot en met " + std::to_string(kMaxPerPage);
                    return result;
                }
                exportOnly = "--per-page";
                break;
            case kPaper:
                if (std::strcmp(optarg, "a4") != 0 && std::strcmp(optarg, "letter") != 0) {
                    result.error = "--paper verwacht a4 of letter";
                    return result;
                }
                result.options.letterPaper = std::strcmp(optarg, "letter") == 0;
                exportOnly = "--paper";
                break;
            case kLandscape:
                result.options.landscape = true;
                exportOnly = "--landscape";
                break;
            case kBlackWhite:
                result.options.blackAndWhite = true;
                exportOnly = "--black-white";
                break;
            case kDistinct:
                result.options.distinct = true;
                break;
            case kUnique:
                result.options.unique = true;
                break;
            case kPackings:
                result.options.packings = true;
                break;
            case kCountOnly:
                result.options.countOnly = true;
                break;
            case kLimit:
                result.options.solutionLimit = parseLimit(optarg);
                if (result.options.solutionLimit <= 0) {
                    result.error = "--limit verwacht een aantal oplossingen van ten minste 1";
                    return result;
                }
                break;
            case kSurvey:
                if (!parseShapeFamily(optarg)) {
                    result.error =
                        "--survey verwacht parallelogram, hexagon of triangle, eventueel met +hole "
                        "(zoals 'hexagon +hole')";
                    return result;
                }
                result.options.survey = optarg;
                break;
            case kNoCounts:
                result.options.noCounts = true;
                break;
            case ':':
                result.error = std::string("optie '") + argv[static_cast<std::size_t>(optind) - 1] +
                               "' verwacht een waarde";
                return result;
            default: {
                const char* offending = argv[static_cast<std::size_t>(optind) - 1];
                if (optopt != 0 && std::strncmp(offending, "--", 2) != 0)
                    result.error = std::string("onbekende optie '-") + static_cast<char>(optopt) + "'";
                else
                    result.error = std::string("onbekende of dubbelzinnige optie '") + offending + "'";
                return result;
            }
        }
    }
    if (help) {
        result.action = ParsedCommandLine::Action::Help;
        return result;
    }
    if (version) {
        result.action = ParsedCommandLine::Action::Version;
        return result;
    }
    int rest = argc - optind;
    const bool exporting = !result.options.exportFormat.empty();
    const bool surveying = !result.options.survey.empty();
    if (exportOnly == nullptr && toGiven && !surveying) exportOnly = "--to";
    if (surveying) {
        const char* other = exporting                           ? "--export"
                            : merge                             ? "--merge"
                            : result.options.letters            ? "--letters"
                            : result.options.packings           ? "--packings"
                            : result.options.distinct           ? "--distinct"
                            : exportOnly != nullptr             ? exportOnly
                            : !result.options.outputDir.empty() ? "--output-dir"
                                                                : nullptr;
        if (other != nullptr) {
            result.error = std::string("--survey gaat niet samen met ") + other;
        } else if (result.options.pieceFile.empty()) {
            result.error = "--survey verwacht --pieces met een trianzoidbestand";
        } else if (rest > 0) {
            result.error =
                std::string("te veel argumenten: '") + argv[static_cast<std::size_t>(optind)] + "'";
        } else {
            result.action = ParsedCommandLine::Action::Survey;
        }
        return result;
    }
    if (exportOnly != nullptr && !exporting) {
        result.error = std::string(exportOnly) + " hoort bij --export";
        return result;
    }
    if (exporting && (merge || result.options.shardCount > 0)) {
        result.error = "--export gaat niet samen met --merge of --shard";
        return result;
    }
    if (result.options.countOnly && (exporting || result.options.letters)) {
        result.error =
            std::string("--count-only gaat niet samen met ") + (exporting ? "--export" : "--letters");
        return result;
    }
    if (result.options.solutionLimit > 0 && (exporting || merge || result.options.shardCount > 0)) {
        result.error = std::string("--limit gaat niet samen met ") + (exporting ? "--export"
                                                                      : merge   ? "--merge"
                                                                                : "--shard");
        return result;
    }
    if (exporting && result.options.exportTarget.empty()) {
        result.error = "--export verwacht --to met een map (svg, png) of een pdf-bestand";
        return result;
    }
    if (merge) {
        if (rest == 0) {
            result.error = "--merge verwacht de deelbestanden";
            return result;
        }
        if (result.options.shardCount > 0) {
            result.error = "--merge en --shard gaan niet samen";
            return result;
        }
        result.options.mergeParts.assign(argv.begin() + optind, argv.begin() + argc);
        result.action = ParsedCommandLine::Action::Merge;
        return result;
    }
    if (rest == 0) {
        result.error = "geen veldbestand opgegeven";
        return result;
    }
    if (rest > 1) {
        result.error =
            std::string("te veel argumenten: '") + argv[static_cast<std::size_t>(optind) + 1] + "'";
        return result;
    }
    result.options.documentPath = argv[static_cast<std::size_t>(optind)];
    if (result.options.documentPath.empty()) {
        result.error = "lege naam voor het veldbestand";
        return result;
    }
    result.action = exporting ? ParsedCommandLine::Action::Export : ParsedCommandLine::Action::Solve;
    return result;
}

std::string usageLine(const std::string& program) {
    return "Gebruik: " + program + " [OPTIES] VELD.trz\n   of: " + program +
           " [--output-dir MAP] --merge DEEL...\n   of: " + program +
           " --export svg --to MAP [--solutions REEKS] [OPTIES] VELD.trz\n   of: " + program +
           " --standard-pieces GROOTTEN --to BESTAND.tzp\n   of: " + program +
           " --make-board VORM --to VELD.trz [--pieces BESTAND.tzp]\n   of: " + program +
           " --survey FAMILIE --pieces BESTAND.tzp [--limit N] [--to MAP] [--shard K/N]\n";
}

std::string helpText(const std::string& program) {
    return usageLine(program) +
           "Zoekt alle oplossingen van een trianzoidveld en schrijft ze naar trianzoidLLHH.opb en .opl\n"
           "(LL = lengte van een rij, HH = aantal rijen).\n"
           "\n"
           "  --pieces BESTAND   dit trianzoidbestand gebruiken in plaats van het bestand uit het veld\n"
           "  --letters          letteroplossing: per oplossing een regel met de gebruikte trianzoids\n"
           "  --yes              toch zoeken als volgens de dambordmethode een oplossing onmogelijk is\n"
           "  --output-dir MAP   map voor de oplossingsbestanden (standaard: de huidige map)\n"
           "  --quiet            geen voortgang tonen\n"
           "  --threads N        met N threads zoeken (standaard: het aantal kernen); de bestanden zijn\n"
           "                     gelijk aan die van een zoektocht met een thread\n"
           "  --engine SOORT     fast (standaard) of plain: de eenvoudige zoekmachine, ter vergelijking\n"
           "  --stats            aan het eind stappen, oplossingen en threads op standaardfout\n"
           "  --distinct         elke betegeling eenmaal: kopieen en gelijke trianzoids zijn verwisselbaar\n"
           "  --unique           een betegeling van elke soort op draaien en spiegelen na (met --distinct)\n"
           "  --count-only       alleen tellen: geen .opb en geen .opl schrijven (ook met --shard)\n"
           "  --limit N          stoppen na N oplossingen (geteld zoals de zoektocht telt, ook met\n"
           "                     --distinct en --unique); de bestanden houden de eerste N, de tellingen\n"
           "                     zijn onvolledig\n"
           "  --packings         open vakjes toegestaan: alle trianzoids leggen, overgebleven vakjes "
           "blijven\n"
           "                     open (samen met --distinct, --unique, --shard en --merge)\n"
           "  --shard K/N        alleen deel K van N doen en een deelbestand schrijven (voor meer machines)\n"
           "  --merge DEEL...    deelbestanden samenvoegen tot de bestanden van een hele zoektocht\n"
           "\n" +
           exportHelpText(false) + "\n" + makePuzzleHelpText() + "\n" + surveyHelpText() +
           "\n"
           "  --help             deze hulp tonen en stoppen\n"
           "  --version          versie tonen en stoppen\n"
           "\n"
           "Op standaarduitvoer staan het aantal verschillende betegelingen, het aantal uniek op draaien\n"
           "en spiegelen na en als laatste regel de slotregel van het logboek.\n"
           "Ctrl+C onderbreekt het zoeken; de bestanden blijven volledig.\n"
           "\n"
           "Afsluitstatus: 0 klaar, 1 fout gemeld (bestand ontbreekt, is onjuist of niet te schrijven),\n"
           "2 verkeerd gebruik, 3 volgens de dambordmethode onmogelijk en niet doorgegaan, 130 "
           "onderbroken.\n";
}

std::string surveyHelpText() {
    return "Welke velden te betegelen zijn (in plaats van zoeken):\n"
           "  --survey FAMILIE   elke vorm van de familie met evenveel vakjes als de trianzoids van "
           "--pieces\n"
           "                     driehoeken hebben (en door de dambordmethode toegelaten), elk eenmaal op\n"
           "                     draaien en spiegelen na, zoeken met --unique --count-only (en --limit).\n"
           "                     FAMILIE: parallelogram, hexagon of triangle, eventueel met +hole (een\n"
           "                     vakje meer, dat vakje op elke plaats weggelaten). Een tabel met tabs op\n"
           "                     standaarduitvoer: nr, vorm, vakjes, symmetrie, uniek, verschillend (+: bij\n"
           "                     de grens gestopt), stappen en seconden; met --to MAP het veldbestand van\n"
           "                     elke vorm die te betegelen is; met --shard K/N alleen de rijen K, K+N, "
           "...\n";
}

std::string versionText() {
    return std::string("trianzoid-solve ") + TRIANZOID_VERSION + "\n";
}

std::string exportHelpText(bool allFormats) {
    return std::string(
               "Afbeeldingen van de oplossingen van een eerdere zoektocht (uit trianzoidLLHH.opb in de "
               "huidige\n"
               "map of in --output-dir):\n") +
           (allFormats ? "  --export SOORT     svg of png: een bestand per oplossing; pdf: een vel met vele "
                         "per pagina\n"
                       : "  --export SOORT     svg: een SVG-bestand per oplossing (png en pdf: "
                         "trianzoid-export)\n") +
           "  --to DOEL          map voor de bestanden (svg, png) of het pdf-bestand\n"
           "  --solutions REEKS  alleen deze oplossingen, zoals 1-20,35 (standaard: alle)\n"
           "  --size PIXELS      breedte van een afbeelding (standaard 480)\n"
           "  --per-page N       oplossingen per pagina van het pdf-vel (standaard 12)\n"
           "  --paper SOORT      a4 (standaard) of letter; --landscape: liggend\n"
           "  --black-white      zwart-wit zoals op het scherm (standaard: in kleur)\n";
}
