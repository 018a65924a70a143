// The Emscripten module of scripts/web, provided by vite.config.ts as a virtual module.
declare module 'korrin-core' {
  const factory: unknown;
  export default factory;
}
