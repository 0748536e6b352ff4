#include "corte_escritura.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace {

// The file system state; one cut at a time.
struct Estado {
  sqlite3_vfs* real = nullptr;
  sqlite3_vfs propio{};
  sqlite3_io_methods metodos{};
  qint64 limite = -1;
  qint64 escritos = 0;
  bool cortado = false;
};
Estado estado;

// The real file follows our own header in the same block.
struct Fichero {
  sqlite3_file base;
  sqlite3_file* real;
};

sqlite3_file* Real(sqlite3_file* f) { return reinterpret_cast<Fichero*>(f)->real; }

int Escribir(sqlite3_file* f, const void* datos, int cuantos, sqlite3_int64 donde) {
  if (estado.cortado) return SQLITE_IOERR_WRITE;
  if (estado.limite >= 0 && estado.escritos + cuantos > estado.limite) {
    estado.cortado = true;
    const int parte = static_cast<int>(estado.limite - estado.escritos);
    if (parte > 0) Real(f)->pMethods->xWrite(Real(f), datos, parte, donde);
    estado.escritos = estado.limite;
    return SQLITE_IOERR_WRITE;
  }
  estado.escritos += cuantos;
  return Real(f)->pMethods->xWrite(Real(f), datos, cuantos, donde);
}

int Cerrar(sqlite3_file* f) {
  const int rc = Real(f)->pMethods ? Real(f)->pMethods->xClose(Real(f)) : SQLITE_OK;
  f->pMethods = nullptr;
  return rc;
}
int Leer(sqlite3_file* f, void* d, int n, sqlite3_int64 o) {
  return Real(f)->pMethods->xRead(Real(f), d, n, o);
}
int Truncar(sqlite3_file* f, sqlite3_int64 n) {
  if (estado.cortado) return SQLITE_IOERR_TRUNCATE;
  return Real(f)->pMethods->xTruncate(Real(f), n);
}
int Sincronizar(sqlite3_file* f, int flags) {
  if (estado.cortado) return SQLITE_IOERR_FSYNC;
  return Real(f)->pMethods->xSync(Real(f), flags);
}
int Tamano(sqlite3_file* f, sqlite3_int64* n) { return Real(f)->pMethods->xFileSize(Real(f), n); }
int Bloquear(sqlite3_file* f, int n) { return Real(f)->pMethods->xLock(Real(f), n); }
int Desbloquear(sqlite3_file* f, int n) { return Real(f)->pMethods->xUnlock(Real(f), n); }
int Reservado(sqlite3_file* f, int* r) { return Real(f)->pMethods->xCheckReservedLock(Real(f), r); }
int Control(sqlite3_file* f, int op, void* arg) { return Real(f)->pMethods->xFileControl(Real(f), op, arg); }
int Sector(sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); }
int Caracteristicas(sqlite3_file* f) { return Real(f)->pMethods->xDeviceCharacteristics(Real(f)); }
int MapaShm(sqlite3_file* f, int i, int n, int b, void volatile** p) {
  return Real(f)->pMethods->xShmMap(Real(f), i, n, b, p);
}
int BloqueoShm(sqlite3_file* f, int o, int n, int flags) {
  return Real(f)->pMethods->xShmLock(Real(f), o, n, flags);
}
void BarreraShm(sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); }
int SoltarShm(sqlite3_file* f, int borrar) { return Real(f)->pMethods->xShmUnmap(Real(f), borrar); }
int Traer(sqlite3_file* f, sqlite3_int64 o, int n, void** p) {
  return Real(f)->pMethods->xFetch(Real(f), o, n, p);
}
int Devolver(sqlite3_file* f, sqlite3_int64 o, void* p) { return Real(f)->pMethods->xUnfetch(Real(f), o, p); }

int Abrir(sqlite3_vfs*, sqlite3_filename nombre, sqlite3_file* f, int flags, int* salida) {
  auto* propio = reinterpret_cast<Fichero*>(f);
  propio->real = reinterpret_cast<sqlite3_file*>(propio + 1);
  std::memset(propio->real, 0, static_cast<size_t>(estado.real->szOsFile));
  const int rc = estado.real->xOpen(estado.real, nombre, propio->real, flags, salida);
  // Without methods of its own the real file needs no closing, and neither does ours.
  f->pMethods = rc == SQLITE_OK && propio->real->pMethods ? &estado.metodos : nullptr;
  return rc;
}

int Borrar(sqlite3_vfs*, const char* n, int s) { return estado.real->xDelete(estado.real, n, s); }
int Acceso(sqlite3_vfs*, const char* n, int f, int* r) { return estado.real->xAccess(estado.real, n, f, r); }
int RutaCompleta(sqlite3_vfs*, const char* n, int t, char* s) {
  return estado.real->xFullPathname(estado.real, n, t, s);
}
void* AbrirBiblioteca(sqlite3_vfs*, const char* n) { return estado.real->xDlOpen(estado.real, n); }
void ErrorBiblioteca(sqlite3_vfs*, int n, char* s) { estado.real->xDlError(estado.real, n, s); }
void (*Simbolo(sqlite3_vfs*, void* p, const char* s))(void) { return estado.real->xDlSym(estado.real, p, s); }
void CerrarBiblioteca(sqlite3_vfs*, void* p) { estado.real->xDlClose(estado.real, p); }
int Azar(sqlite3_vfs*, int n, char* s) { return estado.real->xRandomness(estado.real, n, s); }
int Dormir(sqlite3_vfs*, int n) { return estado.real->xSleep(estado.real, n); }
int Hora(sqlite3_vfs*, double* t) { return estado.real->xCurrentTime(estado.real, t); }
int UltimoError(sqlite3_vfs*, int n, char* s) { return estado.real->xGetLastError(estado.real, n, s); }
int Hora64(sqlite3_vfs*, sqlite3_int64* t) { return estado.real->xCurrentTimeInt64(estado.real, t); }

}  // namespace

CorteEscritura::CorteEscritura(qint64 limite) {
  estado = Estado{};
  estado.real = sqlite3_vfs_find(nullptr);
  estado.limite = limite;
  estado.metodos = {3,          Cerrar,      Leer,      Escribir, Truncar, Sincronizar,     Tamano,
                    Bloquear,   Desbloquear, Reservado, Control,  Sector,  Caracteristicas, MapaShm,
                    BloqueoShm, BarreraShm,  SoltarShm, Traer,    Devolver};
  sqlite3_vfs& v = estado.propio;
  v.iVersion = 2;
  v.szOsFile = static_cast<int>(sizeof(Fichero)) + estado.real->szOsFile;
  v.mxPathname = estado.real->mxPathname;
  v.zName = "corte_escritura";
  v.xOpen = Abrir;
  v.xDelete = Borrar;
  v.xAccess = Acceso;
  v.xFullPathname = RutaCompleta;
  v.xDlOpen = AbrirBiblioteca;
  v.xDlError = ErrorBiblioteca;
  v.xDlSym = Simbolo;
  v.xDlClose = CerrarBiblioteca;
  v.xRandomness = Azar;
  v.xSleep = Dormir;
  v.xCurrentTime = Hora;
  v.xGetLastError = UltimoError;
  v.xCurrentTimeInt64 = Hora64;
  sqlite3_vfs_register(&v, 1);
}

CorteEscritura::~CorteEscritura() {
  sqlite3_vfs_unregister(&estado.propio);
  sqlite3_vfs_register(estado.real, 1);
}

qint64 CorteEscritura::Escritos() const { return estado.escritos; }

bool CorteEscritura::Cortado() const { return estado.cortado; }
